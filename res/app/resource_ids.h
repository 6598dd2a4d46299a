/* Resource numbers of KorvexKV12.exe, shared by the resource script and the code. */
#pragma once

/* The application icon: window, tray and executable. */
#define IDI_APP_ICON 710
/* "MacroList": the context menu of the key press sequence list. */
#define IDR_MACRO_LIST_MENU 178
/* Its one item, "Delete" (the text is set at run time in the current language). */
#define ID_SEQUENCE_DELETE 32772

"""Where the program draws and creates things, in client pixels (left, top,
right, bottom; right and bottom exclusive). The art frames these places and
leaves them free; sizes of element images follow from them. Not every place is
drawn around: the rest are here as the map to keep clear when editing the art.
src/ui/skin_images.h holds the same sizes for the program and its tests."""

MAIN_SIZE = (890, 660)

# Element image sizes (width, height).
BUTTON = (105, 21)
SMALL_BUTTON = (18, 18)
PAGE_BUTTON = (40, 40)
DROPDOWN = (211, 21)
CHECK_BOX = (16, 16)
SLIDER_CELL = (24, 11)
DPI_CELL = (16, 16)
RATE_CELL = (70, 11)

# Main window frame.
SKIN_BUTTON = (701, 5, 719, 23)
MIN_BUTTON = (825, 5, 843, 23)
CLOSE_BUTTON = (850, 5, 868, 23)
PREV_PAGE = (20, 58, 60, 98)
NEXT_PAGE = (70, 58, 110, 98)
TITLE = (120, 58, 352, 98)
WEB_ADDRESS = (273, 627, 449, 647)
BOTTOM_BUTTONS = [(562, 623, 667, 644), (666, 623, 771, 644), (770, 623, 875, 644)]

# Basic page.
KEY_HEADING = (259, 160, 364, 181)
DROPDOWN_ROWS = [(252, 199 + 23 * k, 463, 220 + 23 * k) for k in range(6)]
MODE_BUTTONS = [(253, 518, 358, 539), (357, 518, 462, 539)]
KEY_DEFAULT = (307, 549, 412, 570)
RATE_HEADING = (504, 161, 609, 182)
RATE_CELLS = [(x, 204, x + 70, 215) for x in (542, 614, 686, 758)]
DPI_HEADING = (504, 275, 609, 296)
EFFECT_HEADING = (704, 275, 809, 296)
DPI_COLUMNS = (554, 581, 608, 635)
DPI_BOTTOM_TOP = 500      # top of the lowest cell; cell n sits 18 px higher per step
DPI_SCALE = (494, 302, 544, 516)
DPI_SWATCH_TOP = 523
DPI_BOX_TOP = 541
LIGHT_BOXES = [(767, 330, 835, 344), (767, 360, 835, 374), (767, 390, 835, 404)]
LIGHT_CLICK = [(767, 330, 851, 344), (767, 360, 851, 374), (767, 390, 851, 404)]
LIGHT_LABELS = [(697, 330, 757, 344), (697, 360, 757, 374), (697, 390, 757, 404)]

# Advanced page.
POINTER_LABELS = [(38, 160, 143, 181), (38, 310, 143, 331), (38, 460, 143, 481)]
POINTER_SLIDER_TOPS = (200, 350, 500)
POINTER_SLIDER_LEFT = 52
POINTER_BOXES = [(51, 255, 67, 271), (51, 405, 67, 421)]
POINTER_BOX_TEXT_RIGHT = 408
POINTER_DEFAULT = (194, 573, 299, 594)
MACRO_HEADING = (469, 160, 578, 181)
MACRO_COLUMNS = [(457, 196, 592, 220), (591, 196, 726, 220), (725, 196, 875, 220)]
MACRO_LIST = (462, 220, 591, 512)
SEQUENCE_LIST = (592, 220, 725, 512)
RECORD_START = (735, 229, 764, 258)
RECORD_STOP = (735, 265, 764, 294)
MACRO_NAME_BOX = (735, 322, 799, 336)
LOOP_TIMES_BOX = (735, 362, 799, 376)
MOUSE_EVENT_BOX = (735, 402, 839, 416)
MOUSE_EVENT_CLICK = (735, 402, 854, 416)
MACRO_BUTTONS = [(513, 528, 618, 549), (617, 528, 722, 549), (721, 528, 826, 549)]

# Sub-dialogs: the standard frame.
DLG_CLOSE = (352, 6, 370, 24)
DLG_OK = (166, 253, 271, 274)
DLG_CANCEL = (270, 253, 375, 274)


def size(rect):
    return rect[2] - rect[0], rect[3] - rect[1]

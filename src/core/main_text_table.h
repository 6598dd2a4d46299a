// The main window's text table: row r (1..91) at index r - 1, one column per
// language. Texts are exact, trailing spaces and punctuation included (rows 56
// to 59 end in a space in English; row 90 holds the typographic apostrophe U+2019).
#pragma once

#include <array>

#include "core/language.h"
#include "core/texts.h"

namespace kv12 {

// clang-format off
inline constexpr std::array<Text3, MAIN_TEXT_ROWS> MAIN_TEXT_TABLE = {{
    {"Basic Settings", "基本设置", "基本設置"},  // 1
    {"Advanced Settings", "高级设置", "高級設置"},  // 2
    {"Color Setting", "颜色设置", "顏色設置"},  // 3
    {"OK", "确定", "確定"},  // 4
    {"Apply", "应用", "應用"},  // 5
    {"Cancel", "取消", "取消"},  // 6
    {"Left Click", "左键", "左鍵"},  // 7
    {"Right Click", "右键", "右鍵"},  // 8
    {"Mid Click", "中键", "中鍵"},  // 9
    {"Forward", "前进方向键", "前進方向鍵"},  // 10
    {"Backward", "后退方向键", "後退方向鍵"},  // 11
    {"Triple-click", "三连发", "三連發"},  // 12
    {"DPI Switch", "DPI切换", "DPI切換"},  // 13
    {"Report Rate Switch", "报告率切换", "報告率切換"},  // 14
    {"Shift", "Shift", "Shift"},  // 15
    {"RGB On/Off", "RGB打开/关闭", "RGB打開/關閉"},  // 16
    {"Windows", "Windows", "Windows"},  // 17
    {"Multimedia", "多媒体", "多媒體"},  // 18
    {"Fire Key", "火力键", "火力鍵"},  // 19
    {"Single Key", "单键", "單鍵"},  // 20
    {"Combo Key", "组合键", "複合鍵"},  // 21
    {"Macro Key", "宏", "巨集"},  // 22
    {"Key Off", "按键关闭", "按鍵關閉"},  // 23
    {"Left key must be selected!", "左键功能必须选择！", "左鍵功能必須選擇！"},  // 24
    {"Default", "按键恢复", "按鍵恢復"},  // 25
    {"Key Configuration 1", "按键配置1", "按鍵配置1"},  // 26
    {"Key Configuration 2", "按键配置2", "按鍵配置2"},  // 27
    {"Key Configuration 3", "按键配置3", "按鍵配置3"},  // 28
    {"Key Configuration 4", "按键配置4", "按鍵配置4"},  // 29
    {"Key Setting", "按键设置", "按鍵設置"},  // 30
    {"Report Rate Setting", "报告率设置", "報告率設置"},  // 31
    {"DPI Setting", "DPI设置", "DPI設置"},  // 32
    {"Auxiliary LED Setting", "辅灯设置", "輔燈設置"},  // 33
    {"As Respiration LED", "设为呼吸灯", "設為呼吸燈"},  // 34
    {"As Heart Beat LED", "设为心跳灯", "設為心跳燈"},  // 35
    {"As Key Group Switch LED", "设为按键组切换灯", "設為按鍵群組切換燈"},  // 36
    {"DPI Effect", "DPI显示特效", "DPI顯示特效"},  // 37
    {"Mode", "模式", "模式"},  // 38
    {"Parameter", "参数", "參數"},  // 39
    {"Speed", "速度:请调整灯光显示速度", "速度"},  // 40
    {"Brightness", "亮度:请调整灯光显示亮度", "亮度"},  // 41
    {"Effect", "效果", "效果"},  // 42
    {"Off", "关闭模式", "關閉模式"},  // 43
    {"Standard", "标准模式", "標準模式"},  // 44
    {"Respiration", "呼吸模式", "呼吸模式"},  // 45
    {"Neon", "霓虹模式", "霓虹模式"},  // 46
    {"Non-Disolay", "关闭", "關閉"},  // 47
    {"RGB Effect", "RGB效果", "RGB效果"},  // 48
    {"RGB Flash", "RGB闪烁", "RGB閃爍"},  // 49
    {"RGB Fixed On", "RGB常亮", "RGB常亮"},  // 50
    {MakerWebAddress, MakerWebAddress, MakerWebAddress},  // 51
    {"Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"},  // 52
    {"Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"},  // 53
    {"Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"},  // 54
    {"Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"},  // 55
    {"Switch DPI into the first stage ", "DPI切换到第一段", "DPI切換到第一段"},  // 56
    {"Switch DPI into the second stage ", "DPI切换到第二段", "DPI切換到第二段"},  // 57
    {"Switch DPI into the third stage ", "DPI切换到第三段", "DPI切換到第三段"},  // 58
    {"Switch DPI into the fourth stage ", "DPI切换到第四段", "DPI切換到第四段"},  // 59
    {"Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"},  // 60
    {"Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"},  // 61
    {"Switch to key matrix 3", "切换到按键组3", "切換到按鍵群組3"},  // 62
    {"Switch to key matrix 4", "切换到按键组4", "切換到按鍵群組4"},  // 63
    {"Switch to macro key", "切换到宏", "切換到巨集"},  // 64
    {"Exit", "退出", "退出"},  // 65
    {"The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},  // 66
    {"The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"},  // 67
    {"Mouse Speed", "鼠标移动速度", "滑鼠移動速度"},  // 68
    {"Scrolling Speed", "鼠标滚动速度", "滑鼠滾動速度"},  // 69
    {"Double-Click Speed", "鼠标双击速度", "滑鼠雙擊速度"},  // 70
    {"Macro Setting", "宏设置", "巨集設置"},  // 71
    {"Select Macro", "选择宏", "選擇巨集"},  // 72
    {"Key Press Sequence", "按键序列", "按鍵序列"},  // 73
    {"Record Option", "录制选项", "錄製選項"},  // 74
    {"Enhance Pointer Precision", "提高指针准确度", "提高指針準確度"},  // 75
    {"Scroll One Screen", "一次滚动一个屏幕", "一次滾動一個螢幕"},  // 76
    {"Default", "恢复默认", "恢復默認"},  // 77
    {"Macro Name", "宏名称", "巨集名稱"},  // 78
    {"Start Recording", "开始录制", "開始錄製"},  // 79
    {"Stop Recording", "停止录制", "停止錄製"},  // 80
    {"Record Mouse Event", "只录制键盘事件", "只錄製鍵盤事件"},  // 81
    {"Loop Times", "循环次数", "迴圈次數"},  // 82
    {"Insert A Mouse Event", "插入一个鼠标事件", "插入一個滑鼠事件"},  // 83
    {"New", "新建", "新建"},  // 84
    {"Delete", "删除", "刪除"},  // 85
    {"Confirm", "确认", "確認"},  // 86
    {"Macro name is blank", "宏名称为空", "巨集名稱為空"},  // 87
    {"Macro name already exists", "宏名称已经存在", "巨集名稱已經存在"},  // 88
    {"Press Ctrl+Break key to stop recording", "按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製"},  // 89
    // 90
    {"It doesn’t start recording, unnecessary to press Stop key!",
     "没有开始录制,点击停止录制按钮没有意义！",
     "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
    {"Setting-EN", "Setting-CHS", "Setting-CHT"},  // 91
}};
// clang-format on

}  // namespace kv12

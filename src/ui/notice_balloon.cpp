#include "ui/notice_balloon.h"

#include <utility>

#include "core/dialog_texts.h"
#include "device/mouse_notice.h"
#include "ui/dpi_tables.h"

namespace kv12::ui {

namespace {

Balloon Info(std::string text, int timeoutMs) {
    return {std::move(text), INFO_CAPTION, timeoutMs};
}

}  // namespace

std::optional<Balloon> BalloonForNotice(int code, long long value, const MainTexts& texts,
                                        const SettingsBlock& block, std::uint8_t sensorType) {
    switch (code) {
        case NOTICE_RATE:
            // The mouse reports the polling interval: 1 ms is 1000 Hz, the first row.
            switch (value) {
                case 1:
                    return Info(std::string(texts[TXT_REPORT_RATE_1000]), NOTICE_BALLOON_MS);
                case 2:
                    return Info(std::string(texts[TXT_REPORT_RATE_1000 + 1]), NOTICE_BALLOON_MS);
                case 4:
                    return Info(std::string(texts[TXT_REPORT_RATE_1000 + 2]), NOTICE_BALLOON_MS);
                case 8:
                    return Info(std::string(texts[TXT_REPORT_RATE_1000 + 3]), NOTICE_BALLOON_MS);
                default:
                    return std::nullopt;
            }
        case NOTICE_DPI: {
            if (value < 1 || value > STAGE_COUNT) return std::nullopt;
            const int stage = static_cast<int>(value) - 1;
            std::string text(texts[TXT_DPI_STAGE_1 + stage]);
            text += DpiValueText(sensorType, block.dpiStage(stage));
            return Info(std::move(text), NOTICE_BALLOON_MS);
        }
        case NOTICE_KEYMODE:
            if (value != 1 && value != 2) return std::nullopt;
            return Info(std::string(texts[TXT_KEY_MATRIX_1 + static_cast<int>(value) - 1]),
                        NOTICE_BALLOON_MS);
        case NOTICE_MACRO:
            if (value == 0) return std::nullopt;
            return Info(std::string(texts[TXT_MACRO_KEY_SWITCH]) + std::to_string(value), NOTICE_BALLOON_MS);
        case NOTICE_FOUND:
            return Info(std::string(texts[TXT_DETECTED]), CONNECTION_BALLOON_MS);
        case NOTICE_NOT_FOUND:
            return Balloon{std::string(texts[TXT_NOT_DETECTED]), WARNING_CAPTION, CONNECTION_BALLOON_MS};
        default:
            return std::nullopt;
    }
}

}  // namespace kv12::ui

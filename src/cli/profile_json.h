// The profile file: a versioned JSON document with named fields for every
// byte of config.bin, the texts of str.ini and the macros of record.ini.
// docs/profile-format.md describes it field by field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/profile.h"

namespace kv12 {

using Json = nlohmann::ordered_json;

inline constexpr std::string_view PROFILE_FORMAT = "kv12-profile";
inline constexpr int PROFILE_VERSION = 1;

/// A JSON library error as one line without the library's tag
/// ("[json.exception.out_of_range.406] number overflow parsing '1e400'" gives
/// "number overflow parsing '1e400'", a syntax error "line 3, column 5: ...").
std::string JsonErrorText(const Json::exception& e);

/// The profile as JSON, fields in a fixed order. Text from str.ini or
/// record.ini that is not valid UTF-8 cannot be exported: CommandError naming it.
Json ProfileToJson(const Profile& profile);

/// The profile as the text of a profile file: two-space indent, one line per
/// button, stage, slot and macro, a final newline.
std::string ProfileToText(const Profile& profile);

/// Parses and validates a profile file's text. Every problem is a CommandError
/// "<label>: <field path>: <what is wrong>", such as
/// `profile.json: settings.reportRate: expected an integer 0..255, got "fast"`;
/// text that is not JSON (numbers beyond a double's range included) is one too.
/// What is accepted although the window would not have written it (13 macros,
/// a free-text macro item, ...) is added to warnings, one line each
/// "<label>: <field path>: <what>", when warnings is given.
Profile ProfileFromText(std::string_view text, std::string_view label,
                        std::vector<std::string>* warnings = nullptr);

/// Validates a parsed document, as ProfileFromText.
Profile ProfileFromJson(const Json& document, std::string_view label,
                        std::vector<std::string>* warnings = nullptr);

/// The profile file's text, checked to import back as the same profile: a
/// profile import would refuse (or change) is a CommandError
/// "<label>: <field path>: <what is wrong>; ...", so that an export is always
/// a backup that can be restored.
std::string ExportableProfileText(const Profile& profile, std::string_view label);

}  // namespace kv12

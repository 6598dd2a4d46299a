// The profile file: a versioned JSON document with named fields for every
// byte of config.bin, the texts of str.ini and the macros of record.ini.
// docs/profile-format.md describes it field by field.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/profile.h"

namespace kv12 {

using Json = nlohmann::ordered_json;

inline constexpr std::string_view PROFILE_FORMAT = "kv12-profile";
inline constexpr int PROFILE_VERSION = 1;

/// The profile as JSON, fields in a fixed order. Text from str.ini or
/// record.ini that is not valid UTF-8 cannot be exported: CommandError naming it.
Json ProfileToJson(const Profile& profile);

/// The profile as the text of a profile file: two-space indent, one line per
/// button, stage, slot and macro, a final newline.
std::string ProfileToText(const Profile& profile);

/// Parses and validates a profile file's text. Every problem is a CommandError
/// "<label>: <field path>: <what is wrong>", such as
/// `profile.json: settings.reportRate: expected an integer 0..255, got "fast"`.
Profile ProfileFromText(std::string_view text, std::string_view label);

/// Validates a parsed document, as ProfileFromText.
Profile ProfileFromJson(const Json& document, std::string_view label);

}  // namespace kv12

// A profile: everything the three files of a folder hold that makes up the
// user's configuration, gathered so that it can be shown, exported as JSON and
// imported into another folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ini_file.h"
#include "core/preferences.h"
#include "core/program_files.h"
#include "core/settings_block.h"

namespace kv12 {

// The sixteen button texts of one language section of str.ini
// (0..7 Mode A buttons 1..8, 8..15 Mode B buttons 1..8).
struct LanguageItemTexts {
    std::string section;
    std::array<std::string, ITEM_TEXT_COUNT> texts;

    friend bool operator==(const LanguageItemTexts&, const LanguageItemTexts&) = default;
};

// One section of record.ini.
struct ProfileMacro {
    std::string name;
    std::vector<std::string> items;

    friend bool operator==(const ProfileMacro&, const ProfileMacro&) = default;
};

struct Profile {
    std::uint8_t firstRunFlag = 0;  // config.bin byte 0, kept as it is
    SettingsBlock block;
    std::vector<std::pair<std::string, std::string>> skins;  // the "Skins" keys of str.ini, file order
    std::vector<LanguageItemTexts> itemTexts;                // every "Setting-*" section, file order
    std::vector<ProfileMacro> macros;                        // every section of record.ini, file order

    friend bool operator==(const Profile&, const Profile&) = default;
};

/// Whether a str.ini section holds a language's button texts ("Setting-EN",
/// "Setting-CHS", ...: the prefix compared without regard to case).
bool IsLanguageSection(std::string_view section);

/// Reads a profile from a folder. config.bin must exist with the right size;
/// a missing str.ini or record.ini reads as empty.
Profile ReadProfile(const ProgramFiles& files);

/// Builds the profile from documents already loaded (no file access).
Profile ProfileFromDocuments(std::uint8_t firstRunFlag, const SettingsBlock& block, const IniDocument& strIni,
                             const IniDocument& recordIni);

/// str.ini with the profile's texts: the "Skins" keys become exactly the
/// profile's, the "Setting-*" sections exactly the profile's ones (their
/// sixteen item keys); everything else in the file stays as it was.
IniDocument MergeIntoStrIni(const Profile& profile, IniDocument strIni);

/// record.ini holding the profile's macros in order, and nothing else.
IniDocument BuildRecordIni(const Profile& profile);

/// Writes config.bin, str.ini and record.ini of the profile into the folder,
/// all or none (see WriteFilesTogether in file_set.h).
void WriteProfile(const Profile& profile, const ProgramFiles& files);

}  // namespace kv12

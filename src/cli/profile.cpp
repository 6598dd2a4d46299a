#include "cli/profile.h"

#include <algorithm>

#include "cli/file_set.h"
#include "cli/folder_files.h"
#include "core/macros.h"

namespace kv12 {

bool IsLanguageSection(std::string_view section) {
    constexpr std::string_view prefix = "Setting-";
    return section.size() >= prefix.size() && IniNamesEqual(section.substr(0, prefix.size()), prefix);
}

Profile ProfileFromDocuments(std::uint8_t firstRunFlag, const SettingsBlock& block, const IniDocument& strIni,
                             const IniDocument& recordIni) {
    Profile profile;
    profile.firstRunFlag = firstRunFlag;
    profile.block = block;
    profile.skins = strIni.Entries(SKINS_SECTION);
    for (const auto& section : strIni.SectionNames()) {
        if (!IsLanguageSection(section)) continue;
        LanguageItemTexts texts{section, {}};
        for (int i = 0; i < ITEM_TEXT_COUNT; ++i) {
            texts.texts[static_cast<std::size_t>(i)] = strIni.GetString(section, ItemKeyName(i));
        }
        profile.itemTexts.push_back(std::move(texts));
    }
    for (const auto& name : LoadMacroNames(recordIni)) {
        profile.macros.push_back(ProfileMacro{name, ReadMacro(recordIni, name)});
    }
    return profile;
}

Profile ReadProfile(const ProgramFiles& files) {
    RequireFolder(files.folder);
    const ConfigFile config = ReadConfigFile(files.config);
    return ProfileFromDocuments(config.firstRunFlag, config.block, ReadIniFile(files.preferences),
                                ReadIniFile(files.record));
}

IniDocument MergeIntoStrIni(const Profile& profile, IniDocument strIni) {
    for (const auto& key : strIni.KeyNames(SKINS_SECTION)) {
        const bool kept = std::any_of(profile.skins.begin(), profile.skins.end(),
                                      [&](const auto& entry) { return IniNamesEqual(entry.first, key); });
        if (!kept) strIni.DeleteKey(SKINS_SECTION, key);
    }
    for (const auto& [key, value] : profile.skins) strIni.Set(SKINS_SECTION, key, value);

    for (const auto& section : strIni.SectionNames()) {
        if (!IsLanguageSection(section)) continue;
        const bool kept =
            std::any_of(profile.itemTexts.begin(), profile.itemTexts.end(),
                        [&](const auto& texts) { return IniNamesEqual(texts.section, section); });
        if (!kept) strIni.DeleteSection(section);
    }
    for (const auto& texts : profile.itemTexts) SetItemTexts(strIni, texts.section, texts.texts);
    return strIni;
}

IniDocument BuildRecordIni(const Profile& profile) {
    IniDocument record;
    for (const auto& macro : profile.macros) SaveMacro(record, macro.name, macro.items);
    return record;
}

void WriteProfile(const Profile& profile, const ProgramFiles& files) {
    RequireFolder(files.folder);
    const IniDocument strIni = MergeIntoStrIni(profile, ReadIniFile(files.preferences));
    const ConfigFile config{profile.firstRunFlag, profile.block};
    WriteFilesTogether({
        {files.record, BuildRecordIni(profile).Serialize()},
        {files.preferences, strIni.Serialize()},
        {files.config, ConfigFileBytes(config)},
    });
}

}  // namespace kv12

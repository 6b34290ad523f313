#include "components/visual/TZTSettings.h"

#include "components/logic/NumberGrammar.h"
#include "dataflow/EventDispatch.h"
#include "toolkit/settings/TIniFile.h"

namespace components {

using namespace dataflow;

namespace {

// A stored text of this length or more is no setting of a program's: a foreign file.
constexpr std::size_t longestSetting = 1000;

bool isOfKind(const std::string& stored, TZTSettings::TKind kind) {
    switch (kind) {
        case TZTSettings::TKind::number: return stored.empty() || isShownNumber(stored);
        case TZTSettings::TKind::index:
            return !stored.empty() && stored.size() <= 4 &&
                   stored.find_first_not_of("0123456789") == std::string::npos;
        case TZTSettings::TKind::text: break;
    }
    return true;
}

}  // namespace

std::string TZTSettings::userFile(std::string_view folder, std::string_view file) {
    const std::string directory = toolkit::userDataDirectory(folder);
    return directory.empty() ? "" : directory + std::string(file);
}

void TZTSettings::restore(TData&, std::uint16_t) {
    if (fileName.empty()) return;
    toolkit::TIniFile* ini = toolkit::openIniFile(fileName);
    ini->section = section;
    for (const TSetting& setting : settings) {
        // A key that is not there reads as the marker, which no setting can be.
        const std::string stored = ini->valueText(setting.key, "\x01");
        if (stored == "\x01" || stored.size() >= longestSetting || !isOfKind(stored, setting.kind)) continue;
        fireEventStr(setting.target, stored);
    }
    ini->free();
}

void TZTSettings::store(TData&, std::uint16_t) {
    if (fileName.empty()) return;
    toolkit::TIniFile* ini = toolkit::openIniFile(fileName);
    ini->section = section;
    ini->mode = toolkit::TIniFile::write;
    for (const TSetting& setting : settings) {
        TData none;
        ini->valueText(setting.key, readString(none, setting.source, ""));
    }
    ini->free();
}

}  // namespace components

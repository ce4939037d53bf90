#include "platform/uikit/SystemStrings.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/foundation/NSBundle.hpp"

namespace uikit {

namespace {

using Translation = std::pair<std::string_view, std::string_view>;

struct SystemWord {
    std::string_view english;
    std::array<Translation, 10> translations;
};

constexpr std::array<SystemWord, 1> systemWords{{
    {"Delete",
     {{{"de", "Löschen"},
       {"zh", "删除"},
       {"ja", "削除"},
       {"es", "Eliminar"},
       {"ko", "삭제"},
       {"pt", "Apagar"},
       {"ru", "Удалить"},
       {"fr", "Supprimer"},
       {"id", "Hapus"},
       {"hi", "डिलीट करें"}}}},
}};

} // namespace

std::string systemString(std::string_view english, const NSBundle& bundle)
{
    auto word = std::find_if(systemWords.begin(), systemWords.end(), [english](const SystemWord& w) { return w.english == english; });
    if (word != systemWords.end()) {
        std::string language = bundle.preferredLocalization();
        for (const auto& [code, text] : word->translations) {
            if (code == language) {
                return std::string(text);
            }
        }
    }
    return std::string(english);
}

} // namespace uikit

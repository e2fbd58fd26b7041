// Loading the program's icons once and sharing them.
#include "platform/ui/Icon.h"

#include "platform/ui/qt/DCBridge.h"

#include <map>
#include <memory>

HICON LoadIconResource(unsigned id) {
    // A missing icon is remembered too, so asking again costs no second look.
    static std::map<unsigned, std::unique_ptr<const IconData>> loaded;
    auto found = loaded.find(id);
    if (found == loaded.end()) {
        const QPixmap pixmap = LoadIconPixmap(id);
        std::unique_ptr<const IconData> icon =
            pixmap.isNull() ? nullptr : std::make_unique<const IconData>(IconData{pixmap.toImage()});
        found = loaded.emplace(id, std::move(icon)).first;
    }
    return found->second.get();
}

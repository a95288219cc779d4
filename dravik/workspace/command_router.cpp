#include "dravik/workspace/command_router.h"

#include "common/error.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/controls/command_array.h"
#include "dravik/workspace/main_window.h"

namespace dravik::workspace {

CommandRouter::CommandRouter(MainWindow& window)
    : QObject(&window), window_(window), cataloguing_(new catalogue::CatalogueController(window)) {
    connect(window.controls().GCom, &controls::CommandArray::clicked, this, &CommandRouter::gCom);
}

void CommandRouter::gCom(int index) {
    try {
        switch (index) {
        case 7:
            cataloguing_->create();
            break;
        default:
            break;
        }
    } catch (const common::Error& e) {
        window_.reportHandlerError(QStringLiteral("GCom_click"), index, e.number(),
                                   QString::fromStdString(e.description()));
    }
}

} // namespace dravik::workspace

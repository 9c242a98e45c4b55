// The menu resource "MAINMENU": one popup, File, with the Exit item.
#include "orvelin/game.h"
#include "platform/resources.h"

namespace orvelin {

void RegisterMenuResource() {
    static const PlatformMenuItem kFileItems[] = {{"終了(&X)", kExitCommand}};
    static const PlatformMenuPopup kMainMenu[] = {{"ファイル(&F)", kFileItems, 1}};
    PlatformRegisterMenu("MAINMENU", kMainMenu, 1);
}

}  // namespace orvelin

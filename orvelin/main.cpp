// Orvelin's entry point: registers the program's resources and hands over to WinMain with the
// command line and a normal showing of the window.
#include <string>

#include "orvelin/game.h"

int main(int argc, char **argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    orvelin::RegisterMenuResource();
    // The instance handle only identifies the program; nothing is loaded through it.
    static char instance;
    return orvelin::WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr, commandLine.data(),
                            SW_SHOWNORMAL);
}

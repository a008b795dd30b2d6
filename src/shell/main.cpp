// The program entry: one main window, the start-up, the main event loop.
#include <QApplication>

#include "shell/exit.h"
#include "shell/program.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zg::Program program(zg::Services::real());
    zg::openMainWindow(program);
    try {
        zg::initProgram(program);
    } catch (const zg::ProgramExit&) {
        // "&JA" at the exit question: every loop has unwound to here.
    }
    return 0;
}

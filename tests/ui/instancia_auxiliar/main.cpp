// A stand-in for the program in the single-instance tests, run as a real process:
//   m817_instancia_auxiliar <program folder> [<start time, ms since the epoch>]
// Prints "segunda" and ends when another copy holds the folder. Otherwise prints
// "primera" and shows a minimised window of the program and one of somebody
// else; each time it is asked to raise, it prints "elevada" with the state of
// both. It ends when its standard input is closed. Given a start time it waits
// for it before looking, so that a test can make several copies look at once.
#include "platform/qt/InstanciaUnicaQt.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

const char* Estado(const QWidget& w) {
    if (!w.isVisible()) return "oculta";
    return w.isMinimized() ? "minimizada" : "normal";
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc < 2) return 2;

    if (argc > 2) {
        const auto hora =
            std::chrono::system_clock::time_point(std::chrono::milliseconds(std::atoll(argv[2])));
        std::this_thread::sleep_until(hora);
    }
    m817::InstanciaUnicaQt instancia(argv[1]);
    if (instancia.OtraInstanciaActiva()) {
        std::printf("segunda\n");
        return 0;
    }

    QWidget propia;
    propia.setWindowTitle(QStringLiteral("Modelo 817"));
    propia.showMinimized();
    QWidget ajena;
    ajena.setWindowTitle(QStringLiteral("modelo 817"));
    ajena.showMinimized();
    std::printf("primera\n");
    std::fflush(stdout);

    QObject::connect(&instancia, &m817::InstanciaUnicaQt::VentanasElevadas, &app, [&] {
        std::printf("elevada propia=%s ajena=%s\n", Estado(propia), Estado(ajena));
        std::fflush(stdout);
    });
    QSocketNotifier entrada(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&entrada, &QSocketNotifier::activated, &app, [&] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0) app.quit();
    });
    // Never outlive a test that went wrong.
    QTimer::singleShot(60000, &app, [] { std::exit(3); });
    return app.exec();
}

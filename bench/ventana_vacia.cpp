// The yardstick for the program's start-up: an empty main window holding one line edit, started, shown and
// ended the way the program is in a measuring run (M817_SALIR_AL_MOSTRAR), timed and weighed by
// bench/medir.sh in the same run. Without a display it uses the offscreen platform.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QMainWindow ventana;
    ventana.setCentralWidget(new QLineEdit(&ventana));
    ventana.show();
    QTimer::singleShot(0, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
    return app.exec();
}

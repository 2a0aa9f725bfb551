#pragma once
// Process-wide settings of the application object, made once at start-up.
class QApplication;

namespace m817 {

// Names the application "Modelo 817" (the default title of message boxes is set by
// MensajesQt) and puts Qt's own texts (standard buttons, the text boxes' context
// menu) in Spanish. Calling it again changes nothing.
// Returns whether the Spanish translation of Qt was found and installed.
bool PrepararAplicación(QApplication& app);

} // namespace m817

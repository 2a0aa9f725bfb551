#pragma once
// The clipboard, text only. Text crosses this interface in Windows-1252, as every text of the return.
#include <string>

namespace m817 {

class ServicioPortapapeles {
  public:
    virtual ~ServicioPortapapeles() = default;
    virtual void Vaciar() = 0;
    virtual void PonerTexto(const std::string& texto) = 0;
    // The text on the clipboard (characters with no place in Windows-1252 become '?'); false when the
    // clipboard holds no text or cannot be read.
    virtual bool LeerTexto(std::string& texto) = 0;
    // The text the user last selected anywhere (the primary selection, pasted with the middle button), in the
    // same way; false where the system keeps none.
    virtual bool LeerSelección(std::string& texto) {
        (void)texto;
        return false;
    }
};

} // namespace m817

#pragma once
// The print command of the running program: the printers, the bar-code library and the random numbers it
// uses, wired into the main window. The print headers stay in its own file: their page elements share a name
// with the sheet's layout elements, which the window's view includes.
#include <memory>
#include <string>

namespace m817 {

class frmPrincipal;

class ImpresiónPrincipal {
  public:
    // depuración: the program was started with the command line "d" ("Copiar" with nothing selected copies
    // the record string of the sheet).
    ImpresiónPrincipal(frmPrincipal& ventana, const std::string& versión, bool depuración);
    ~ImpresiónPrincipal();
    ImpresiónPrincipal(const ImpresiónPrincipal&) = delete;
    ImpresiónPrincipal& operator=(const ImpresiónPrincipal&) = delete;

  private:
    struct Servicios;
    std::unique_ptr<Servicios> s_;
};

} // namespace m817

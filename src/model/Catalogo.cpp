#include "model/Catalogo.h"

#include <charconv>

namespace m817 {

std::string ClaveCampo(IdCampo id) {
    const auto& d = Definición(id);
    std::string clave(d.nombre);
    if (d.índice >= 0) {
        std::string n = std::to_string(d.índice);
        if (d.control == Control::edtCasilla && n.size() < 2) n = "0" + n;
        clave += "#" + n;
    }
    return clave;
}

IdCampo CampoDeClave(std::string_view clave) {
    auto almohadilla = clave.find('#');
    if (almohadilla == std::string_view::npos) return BuscarCampo(clave);
    auto resto = clave.substr(almohadilla + 1);
    int índice = 0;
    auto [p, ec] = std::from_chars(resto.data(), resto.data() + resto.size(), índice);
    if (ec != std::errc() || p != resto.data() + resto.size()) return kNingúnCampo;
    return BuscarCampo(clave.substr(0, almohadilla), índice);
}

std::span<const IdCampo> OrdenFoco() {
    using namespace campos;
    static constexpr IdCampo orden[] = {
        cmbAdministracion, cmbPeriodo,     chkComplementaria, edtJustifComp, edtNIF,
        edtNombre,         cmbSigla,       edtViaPublica,     edtNumero,     edtEscalera,
        edtPiso,           edtPuerta,      edtTelefono,       cmbProvincia,  cmbMunicipio,
        edtCodigoPostal,   edtFax,         edtCasilla(1),     edtCasilla(7), edtCasilla(2),
        edtCasilla(8),     edtCasilla(3),  edtCasilla(9),     edtCasilla(4), edtCasilla(10),
        edtCasilla(5),     edtCasilla(11), edtCasilla(6),     edtCasilla(12), edtCasilla(13),
        edtCasilla(14),    edtCasilla(16), edtCasilla(17),    edtCasilla(18), edtCasilla(19),
        edtCasilla(20),    edtCasilla(21), edtCasilla(24),    edtCasilla(25), chkFPEfectivo,
        chkFPCuenta,       edtCCCIng(0),   edtCCCIng(1),      edtCCCIng(2),  edtCCCIng(3),
        edtCCCDev(0),      edtCCCDev(1),      edtCCCDev(2),  edtCCCDev(3)};
    return orden;
}

} // namespace m817

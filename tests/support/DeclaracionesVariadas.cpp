#include "support/DeclaracionesVariadas.h"

#include "support/Registros.h"

#include "platform/Texto1252.h"
#include "validation/Identificadores.h"

#include <array>
#include <initializer_list>

namespace m817::prueba {

namespace {

using enum CampoRegistro;

template <typename T, std::size_t N> const T& Uno(std::mt19937& azar, const std::array<T, N>& opciones) {
    return opciones[azar() % N];
}

bool Probabilidad(std::mt19937& azar, unsigned porCiento) {
    return azar() % 100 < porCiento;
}

std::string JustificanteCorrecto() {
    const std::string doce = "817061234567";
    return doce + std::to_string(DígitoControlJustificante(doce));
}

void PonerCuenta(RegistroDeclaración& r, CampoRegistro (*parte)(int), const std::string& código) {
    const std::size_t desde[] = {0, 4, 8, 10}, largo[] = {4, 4, 2, 10};
    for (int i = 0; i <= 3; ++i)
        r.Poner(parte(i), desde[i] < código.size() ? código.substr(desde[i], largo[i]) : "");
}

// A complete, valid return of the third quarter paid in cash, from Barcelona.
RegistroDeclaración Base() {
    static const RegistroDeclaración base = RegistroDeDatos("declaracion-base.txt");
    return base;
}

// Payment by account although nothing is due, and the account is wrong.
RegistroDeclaración CuentaSinNadaQuePagar() {
    RegistroDeclaración r = Base();
    r.Poner(Casilla01, "");
    r.Poner(Casilla13, "");
    r.Poner(FPEfectivo, "0");
    r.Poner(FPCuenta, "1");
    PonerCuenta(r, CampoCCCIng, kCuentaErrónea);
    r.Poner(Resultado, "C");
    return r;
}

} // namespace

std::string CuentaCorrecta() {
    const std::string entidadOficina = "21000418", cuenta = "0200051332";
    return entidadOficina + std::to_string(DígitoControlCCC("00" + entidadOficina, 3)) +
           std::to_string(DígitoControlCCC(cuenta, 1)) + cuenta;
}

RegistroDeclaración DeclaraciónAlAzar(std::mt19937& azar) {
    struct Lugar {
        const char *provincia, *municipio, *postal;
    };
    // clang-format off
    static const std::array<const char*, 8> ejercicios = {"2010", "2010", "2010", "2010", "2009", "1992", "", "20x0"};
    static const std::array<const char*, 12> periodos = {"1T", "2T", "3T", "4T", "3T", "4T", "01", "05", "10", "11", "12", "5"};
    static const std::array<const char*, 9> periodosRaros = {"13", "7T", "0T", "", "1A", "t", "3", "00", "99"};
    static const std::array<const char*, 5> administraciones = {"", "701", "801", "901", "999"};
    static const std::array<const char*, 6> nifs = {"12345678Z", "12345678Z", "11111111H", "12345678A", "", "X"};
    static const std::array<const char*, 5> nombres = {"RUIZ SOLER ANA", "PEÑA ÁLVAREZ JOSÉ", "O'BRIEN", "", "LÓPEZ, MARÍA"};
    static const std::array<const char*, 4> siglas = {"CL", "AV", "", "ZZ"};
    static const std::array<const char*, 3> números = {"1", "", "12a"};
    static const std::array<Lugar, 10> lugares = {{
        {"8", "8019", "08001"}, {"7", "7040", "07001"}, {"7", "7001", "07340"}, {"9", "9061", "09001"},
        {"9", "9059", "09002"}, {"", "", ""}, {"99", "", "99001"}, {"8", "12001", "08001"},
        {"07", "7040", "07a01"}, {"8", "8019", "07001"}}};
    static const std::array<const char*, 10> importes = {
        "1.000,00", "1000", "-500,00", "0", "0,00", "250,5", "abc", "1.000.000.000.000", "-1", "99.999,99"};
    static const std::array<const char*, 4> cuotas = {"50,00", "52,00", "56,00", "-3"};
    static const std::array<const char*, 5> tipos = {"", "7,5", "x", "16", "0"};
    static const std::array<const char*, 5> resultados = {" ", "C", "D", "X", "C"};
    // clang-format on

    // Most fields keep the valid value of Base(); each one now and then takes one of its odd values.
    RegistroDeclaración r = Base();
    auto variar = [&](CampoRegistro c, unsigned porCiento, const auto& opciones) {
        if (Probabilidad(azar, porCiento)) r.Poner(c, W(Uno(azar, opciones)));
    };
    variar(Ejercicio, 4, ejercicios);
    r.Poner(Periodo, Probabilidad(azar, 12) ? Uno(azar, periodosRaros) : Uno(azar, periodos));
    r.Poner(Complementaria, Probabilidad(azar, 8) ? "1" : Probabilidad(azar, 5) ? " " : "0");
    if (r.Valor(Complementaria) == "1" ? Probabilidad(azar, 80) : Probabilidad(azar, 5))
        r.Poner(JustificanteComplementada, Probabilidad(azar, 80) ? JustificanteCorrecto() : "8170612345679");
    variar(Administración, 10, administraciones);
    variar(NIF, 10, nifs);
    variar(Nombre, 10, nombres);
    variar(Sigla, 8, siglas);
    if (Probabilidad(azar, 5)) r.Poner(ViaPública, "");
    variar(Número, 8, números);
    r.Poner(Piso, Probabilidad(azar, 20) ? "2" : "");
    r.Poner(Teléfono, Probabilidad(azar, 20) ? "971 000 000" : "");
    if (Probabilidad(azar, 25)) {
        const Lugar& lugar = Uno(azar, lugares);
        r.Poner(Provincia, lugar.provincia);
        r.Poner(Municipio, lugar.municipio);
        r.Poner(CódigoPostal, lugar.postal);
    }

    // The amounts decide the result: to pay, to offset, to refund, nothing at all.
    const bool sinActividad = Probabilidad(azar, 15);
    for (int i : {1, 2, 3, 4, 5, 6, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25}) {
        std::string importe = !sinActividad && Probabilidad(azar, 25) ? Uno(azar, importes) : "";
        // A wrong amount now and then; the others are amounts.
        if ((importe == "abc" || importe == "1.000.000.000.000") && !Probabilidad(azar, 30)) importe = "100";
        r.Poner(*CampoCasilla(i),
                i == 25 && r.Valor(Complementaria) != "1" && Probabilidad(azar, 80) ? "" : importe);
    }
    for (int i = 7; i <= 12; ++i)
        r.Poner(*CampoCasilla(i), !sinActividad && Probabilidad(azar, 3) ? Uno(azar, cuotas) : "");
    for (int k = 1; k <= 6; ++k)
        if (Probabilidad(azar, 4)) r.Poner(CampoTipo(k), Uno(azar, tipos));

    const bool cuenta = Probabilidad(azar, 30);
    r.Poner(FPEfectivo, cuenta ? (Probabilidad(azar, 10) ? "1" : "0") : (Probabilidad(azar, 90) ? "1" : "0"));
    r.Poner(FPCuenta, cuenta ? "1" : "0");
    const std::array<std::string, 4> cuentas = {"", CuentaCorrecta(), kCuentaErrónea, "2100"};
    if (cuenta) PonerCuenta(r, CampoCCCIng, Probabilidad(azar, 70) ? CuentaCorrecta() : Uno(azar, cuentas));
    const std::string resultado = Uno(azar, resultados);
    r.Poner(Resultado, resultado);
    if (resultado == "D")
        PonerCuenta(r, CampoCCCDev, Probabilidad(azar, 70) ? CuentaCorrecta() : Uno(azar, cuentas));
    if (Probabilidad(azar, 15)) {
        r.Poner(NúmeroJustificante, "8170612345673");
        r.Poner(FechaImpresión, "16/11/2010");
    }
    return r;
}

std::vector<RegistroDeclaración> DeclaracionesPreparadas() {
    std::vector<RegistroDeclaración> v;
    v.push_back(Base());
    v.push_back(CuentaSinNadaQuePagar());
    {
        // The same, with something to offset.
        RegistroDeclaración r = CuentaSinNadaQuePagar();
        r.Poner(Casilla16, "500,00");
        v.push_back(r);
    }
    for (const std::string& cuenta : {CuentaCorrecta(), std::string(kCuentaErrónea), std::string("2100")}) {
        // A refund chosen in the fourth quarter.
        RegistroDeclaración r = Base();
        r.Poner(Periodo, "4T");
        r.Poner(Casilla13, "");
        r.Poner(Casilla16, "500,00");
        r.Poner(FPEfectivo, "0");
        r.Poner(Resultado, "D");
        PonerCuenta(r, CampoCCCDev, cuenta);
        v.push_back(r);
    }
    {
        // Payment by account, correct and wrong.
        RegistroDeclaración r = Base();
        r.Poner(FPEfectivo, "0");
        r.Poner(FPCuenta, "1");
        PonerCuenta(r, CampoCCCIng, CuentaCorrecta());
        v.push_back(r);
        PonerCuenta(r, CampoCCCIng, kCuentaErrónea);
        v.push_back(r);
    }
    for (const char* periodo : {"10", "11", "12", "01", "5", "7T", "13", "0T", "1A", "", "00"}) {
        RegistroDeclaración r = Base();
        r.Poner(Periodo, periodo);
        v.push_back(r);
    }
    // A province not in the table, a municipality of another province, a wrong tax and receipt number, a
    // quota far from base times rate.
    const std::vector<std::vector<std::pair<CampoRegistro, const char*>>> raras = {
        {{Provincia, "99"}, {Municipio, ""}},
        {{Administración, "999"}, {Municipio, "12001"}},
        {{NIF, "12345678A"}, {JustificanteComplementada, "8170612345679"}},
        {{Casilla07, "56,00"}, {Casilla13, "1.000.000.000.000"}},
    };
    for (const auto& cambios : raras) {
        RegistroDeclaración r = Base();
        for (const auto& [campo, valor] : cambios)
            r.Poner(campo, valor);
        v.push_back(r);
    }
    return v;
}

} // namespace m817::prueba

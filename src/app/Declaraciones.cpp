// The sheet's operations on Datos/Declaraciones.txt: new, open (or copy), save and delete, and the moves
// between the sheet's fields and the record image.
#include "app/Hoja.h"

#include "app/NuevaDeclaracion.h"
#include "app/Version.h"
#include "model/CasillasImporte.h"
#include "model/Ejercicio.h"
#include "model/Listas.h"
#include "platform/CausaSistema.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <cerrno>
#include <charconv>
#include <exception>
#include <optional>

namespace m817 {

namespace {

// The second line of a failed save or delete: what is wrong with the data file itself, or the file that
// failed and the system's reason.
std::string PorQué(const ArchivoDeclaraciones& archivo, const ArchivosConCausa& causa,
                   const std::filesystem::path& ruta) {
    return archivo.Problema().empty() ? causa.Línea(ruta) : archivo.Problema();
}

using namespace campos;
using enum CampoRegistro;

// The text fields stored as they are, trimmed on the way back.
struct CampoTexto {
    IdCampo campo;
    CampoRegistro registro;
};
constexpr CampoTexto kIdentificación[] = {
    {edtNIF, NIF},           {edtNombre, Nombre}, {edtViaPublica, ViaPública}, {edtNumero, Número},
    {edtEscalera, Escalera}, {edtPiso, Piso},     {edtPuerta, Puerta},         {edtTelefono, Teléfono},
};

// The list fields stored by the code of their entry.
struct CampoCódigo {
    IdCampo lista;
    CampoRegistro registro;
    bool alfabética;
};
constexpr CampoCódigo kListas[] = {
    {cmbAdministracion, Administración, false},
    {cmbSigla, Sigla, true},
    {cmbProvincia, Provincia, false},
    {cmbMunicipio, Municipio, false},
};

// A whole number written in decimal (blanks around allowed); none for anything else.
std::optional<std::int32_t> NúmeroEntero(std::string_view texto) {
    const std::string t = Recortar(texto);
    std::int32_t v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc{} || r.ptr != t.data() + t.size()) return std::nullopt;
    return v;
}

std::string TextoEjercicioPosterior() {
    return W("La declaración que intenta abrir es de un ejercicio posterior al ejercicio para el cual fue "
             "creada esta versión de programa (") +
           std::to_string(EjercicioPrograma) + ")";
}

} // namespace

void frmHoja1::MoverPantallaARegistro() {
    RegistroDeclaración& r = registro;
    r.Poner(Marca, " ");
    r.Poner(Modelo, "817");
    r.Poner(Versión, VersiónPrograma());
    r.Poner(Ejercicio, hoja.Texto(edtEjercicio));
    r.Poner(Periodo, hoja.Texto(cmbPeriodo));
    r.Poner(Complementaria, std::to_string(hoja.Valor(chkComplementaria)));
    r.Poner(JustificanteComplementada, hoja.Texto(edtJustifComp));
    for (const auto& c : kIdentificación)
        r.Poner(c.registro, hoja.Texto(c.campo));
    for (const auto& l : kListas)
        r.Poner(l.registro, CódigoCombo(hoja, l.lista, l.alfabética));
    r.Poner(CódigoPostal, hoja.Texto(edtCodigoPostal));
    r.Poner(Fax, hoja.Texto(edtFax));
    for (int i = 1; i <= 26; ++i)
        if (const auto c = CampoCasilla(i)) r.Poner(*c, hoja.Texto(edtCasilla(i)));
    for (int k = 1; k <= 6; ++k)
        r.Poner(CampoTipo(k), TextoTipo(hoja.Texto(edtTipos(k))));
    r.Poner(FPEfectivo, std::to_string(hoja.Valor(chkFPEfectivo)));
    r.Poner(FPCuenta, std::to_string(hoja.Valor(chkFPCuenta)));
    for (int parte = 0; parte <= 3; ++parte) {
        r.Poner(CampoCCCIng(parte), hoja.Texto(edtCCCIng(parte)));
        r.Poner(CampoCCCDev(parte), hoja.Texto(edtCCCDev(parte)));
    }
    const char* resultado = hoja.Valor(optResultado(2)) == 1   ? "D"
                            : hoja.Valor(optResultado(3)) == 1 ? "C"
                                                               : " ";
    r.Poner(Resultado, resultado);
    r.Poner(NúmeroJustificante, hoja.Texto(edtNúmeroJustificante));
    r.Poner(FechaImpresión, hoja.Texto(edtFechaImpresión));
    r.Poner(FinRegistro, "\r\n");
}

void frmHoja1::MoverRegistroAPantalla() {
    const RegistroDeclaración& r = registro;
    auto poner = [this, &r](IdCampo id, CampoRegistro c) { hoja.EscribirTexto(id, r.Valor(c)); };
    auto elegir = [this, &r](const CampoCódigo& l) {
        SeleccionarCódigoCombo(hoja, l.lista, r.Valor(l.registro), l.alfabética);
    };
    auto validar = [this](IdCampo id) {
        bool cancelar = false;
        entrada.AlValidar(id, cancelar);
    };

    poner(edtEjercicio, Ejercicio);
    if (const auto año = NúmeroEntero(hoja.Texto(edtEjercicio));
        año && *año >= INT16_MIN && *año <= INT16_MAX)
        ejercicioDeclaración_ = static_cast<std::int16_t>(*año);

    poner(cmbPeriodo, Periodo);
    hoja.EscribirValor(chkComplementaria, r.Marcado(Complementaria) ? 1 : 0);
    poner(edtJustifComp, JustificanteComplementada);

    elegir(kListas[0]);
    poner(edtNIF, NIF);
    poner(edtNombre, Nombre);
    elegir(kListas[1]);
    for (const auto& c : kIdentificación)
        if (c.campo != edtNIF && c.campo != edtNombre) poner(c.campo, c.registro);

    // Not known: the province validated next loads its municipalities whatever the sheet showed before.
    hoja.OlvidarProvinciaDeMunicipios();
    elegir(kListas[2]);
    validar(cmbProvincia);
    hoja.RecordarProvinciaDeMunicipios(hoja.Posición(cmbProvincia));
    elegir(kListas[3]);
    validar(cmbMunicipio);

    poner(edtCodigoPostal, CódigoPostal);
    poner(edtFax, Fax);

    for (int i = 1; i <= 26; ++i) {
        const auto c = CampoCasilla(i);
        MostrarCasilla(hoja, edtCasilla(i), c ? r.Valor(*c) : std::string());
    }
    for (int k = 1; k <= 6; ++k)
        poner(edtTipos(k), CampoTipo(k));

    for (int b = 1; b <= 6; ++b)
        hoja.BaseAnterior[static_cast<std::size_t>(b)] = ValorCasilla(hoja, b);
    Recalcular(hoja, validar_);

    // Set by the program: the boxes' handler must not take it for the user's choice.
    for (auto [casilla, campo] : {std::pair{chkFPEfectivo, FPEfectivo}, std::pair{chkFPCuenta, FPCuenta}})
        PonerFormaPago(hoja, casilla, r.Marcado(campo) ? 1 : 0);

    for (int parte = 0; parte <= 3; ++parte) {
        poner(edtCCCIng(parte), CampoCCCIng(parte));
        poner(edtCCCDev(parte), CampoCCCDev(parte));
    }

    const std::string resultado = r.Valor(Resultado);
    if (resultado == "D")
        SeleccionarResultado(hoja, 2, validar_);
    else if (resultado == "C")
        SeleccionarResultado(hoja, 3, validar_);

    hoja.EscribirTexto(edtNúmeroJustificante, std::string(r.Campo(NúmeroJustificante)));
    hoja.EscribirTexto(edtFechaImpresión, std::string(r.Campo(FechaImpresión)));

    // A stored code with no entry in its list leaves the list empty, which the whole check takes for a field
    // never filled in: it is named here.
    for (const auto& l : kListas)
        if (!r.Valor(l.registro).empty() && hoja.Posición(l.lista) < 0)
            listaCamposNoCargados_ += W(Definición(l.lista).etiqueta) + ", ";
    validación.ValidarCarga(listaCamposNoCargados_);

    hoja.Enfocar(cmbAdministracion);
}

void frmHoja1::MostrarErroresCarga() {
    std::string lista = Recortar(listaCamposNoCargados_);
    if (lista.empty()) return;
    lista.pop_back();
    lista += ".";
    MostrarError(mensajes, W("Se ha producido un error al leer los datos de la declaración seleccionada.") +
                               "\r\n\r\n" +
                               W("Los datos que se relacionan a continuación no se han podido cargar y "
                                 "deberán cumplimentarse de nuevo:") +
                               lista);
}

bool frmHoja1::ConfirmarGuardarCambios() {
    if (!hoja.RegistroModificado) return true;
    // No title of its own: the application's shows.
    const Respuesta r = mensajes.Mostrar({W("¿Desea guardar los cambios efectuados en la declaración?"), "",
                                          Icono::Pregunta, Botones::SíNoCancelar, Respuesta::No});
    if (r == Respuesta::Cancelar) return false;
    if (r == Respuesta::Sí) return GuardarDeclaración(true);
    return true;
}

bool frmHoja1::NuevaDeclaración() {
    if (!ConfirmarGuardarCambios()) return false;
    ValidaciónDeclaración::CargaNueva carga(validación);

    InicializarRegistro(registro);
    registro.Poner(Ejercicio, std::to_string(EjercicioPrograma));
    registro.Poner(Periodo, PeriodoNuevaDeclaración(reloj.Ahora()));
    listaCamposNoCargados_.clear();
    MoverRegistroAPantalla();
    MoverPantallaARegistro();
    listaCamposNoCargados_.clear();

    hoja.RegistroModificado = false;
    hoja.EscribirTexto(edtIdDeclaración, "0");
    return true;
}

bool frmHoja1::AbrirDeclaración(std::int32_t NumRegistro, std::int32_t IdDeclaración) {
    // Opening the return on screen again is going back to its saved version. A copy (identity 0) of another
    // return over an unsaved one is not: that asks to save the unsaved one like any other load.
    if (IdDeclaración != 0 && NúmeroEntero(hoja.Texto(edtIdDeclaración)) == IdDeclaración &&
        hoja.RegistroModificado) {
        if (Preguntar(mensajes, W("¿Desea volver a la versión guardada de la declaración actual?")) !=
            Respuesta::Sí)
            return false;
    } else if (!ConfirmarGuardarCambios()) {
        return false;
    }

    RegistroDeclaración leído;
    try {
        ArchivoDeclaraciones archivo(archivos, RutaDeclaraciones(carpeta.DatosUsuario()));
        if (!archivo.AbrirLectura() || !archivo.Leer(NumRegistro, leído) || !leído.Entero(Ejercicio)) {
            MostrarError(mensajes, archivo.Problema().empty() ? TextoErrorAbrir() : archivo.Problema());
            return false;
        }
    } catch (const std::exception&) {
        MostrarError(mensajes, TextoErrorAbrir());
        return false;
    }
    if (*leído.Entero(Ejercicio) > EjercicioPrograma) {
        MostrarError(mensajes, TextoEjercicioPosterior());
        MoverPantallaARegistro();
        return false;
    }

    // Over the sheet of a program just started: nothing of the return shown before (its focus, its payment
    // boxes, its municipalities, the message toggles of its checks) may change what this one shows.
    VolverAlEstadoRecién();
    registro = leído;
    listaCamposNoCargados_.clear();
    MoverRegistroAPantalla();
    MoverPantallaARegistro();
    MostrarErroresCarga();

    hoja.EscribirTexto(edtIdDeclaración, std::to_string(IdDeclaración));
    if (IdDeclaración == 0) {
        // A copy never carries the data of the print of the return it was made from.
        hoja.EscribirTexto(edtNúmeroJustificante, "");
        hoja.EscribirTexto(edtFechaImpresión, "");
        registro.Poner(NúmeroJustificante, "");
        registro.Poner(FechaImpresión, "");
    }
    if (hoja.Estado(cmbAdministracion).bloqueado) hoja.Tabular();
    hoja.RegistroModificado = false;
    return true;
}

bool frmHoja1::GuardarDeclaración(bool bPreguntar) {
    const std::string justificante = hoja.Texto(edtNúmeroJustificante);
    const std::string fecha = hoja.Texto(edtFechaImpresión);
    if (!Recortar(fecha).empty() && hoja.RegistroModificado && bPreguntar) {
        if (!Recortar(justificante).empty() &&
            Preguntar(mensajes, TextoAvisoGuardarImpresa(fecha, justificante), kTítuloAviso) != Respuesta::Sí)
            return false;
        // A changed return loses the data of its earlier print.
        hoja.EscribirTexto(edtNúmeroJustificante, "");
        hoja.EscribirTexto(edtFechaImpresión, "");
    }

    bool guardada = false;
    try {
        guardada = GuardarRegistro();
    } catch (const std::exception&) {
        MostrarError(mensajes, TextoErrorGuardar());
    }
    if (!guardada) {
        // Nothing was saved: the print data stay until a save happens.
        hoja.EscribirTexto(edtNúmeroJustificante, justificante);
        hoja.EscribirTexto(edtFechaImpresión, fecha);
    }
    return guardada;
}

bool frmHoja1::GuardarRegistro() {
    for (IdCampo id : {cmbPeriodo, edtNIF, edtNombre, edtEjercicio}) {
        if (Recortar(hoja.Texto(id)).empty()) {
            MostrarError(mensajes, W("Es obligatorio rellenar los campos Ejercicio, Periodo, N.I.F. y Nombre "
                                     "para poder grabar una declaración"));
            return false;
        }
    }

    const auto ruta = RutaDeclaraciones(carpeta.DatosUsuario());
    const bool existía = archivos.Existe(ruta);
    // The message names the file that failed and the system's reason.
    ArchivosConCausa causa(archivos);
    ArchivoDeclaraciones archivo(causa, ruta);
    auto fallo = [&] {
        // A file this save created goes again: the folder is left as it was found.
        archivo.Cerrar();
        if (!existía && archivos.Existe(ruta)) archivos.Eliminar(ruta);
        MostrarError(mensajes, TextoErrorGuardar() + "\r" + PorQué(archivo, causa, ruta));
        return false;
    };
    if (!carpeta.CrearCarpeta(ruta.parent_path())) causa.Anotar(ruta.parent_path(), errno);
    if (causa.HayFallo() || !archivo.AbrirLecturaEscritura()) return fallo();

    MoverPantallaARegistro();
    auto n = NúmeroEntero(hoja.Texto(edtIdDeclaración));
    if (!n) return fallo();
    if (*n == 0) {
        const bool complementaria = hoja.Valor(chkComplementaria) == 1;
        const ClaveDuplicado clave{hoja.Texto(edtNIF), hoja.Texto(edtEjercicio), hoja.Texto(cmbPeriodo),
                                   std::to_string(hoja.Valor(chkComplementaria))};
        const auto exploración = BuscarDuplicados(archivo, clave);
        if (!exploración) return fallo();
        if (exploración->primerDuplicado != 0 &&
            Preguntar(mensajes, TextoPreguntaDuplicado(complementaria)) != Respuesta::Sí) {
            archivo.Cerrar();
            if (!existía && archivos.Existe(ruta)) archivos.Eliminar(ruta);
            return false;
        }
        // Record numbers are 16-bit: a full file takes no new return.
        if (!exploración->CabeOtro()) return fallo();
        // The number is given under the file's lock, after the question: another program may have added a
        // return meanwhile.
        n = archivo.Añadir(registro);
    } else if (!archivo.Escribir(*n, registro)) {
        n.reset();
    }
    if (!n) return fallo();
    const auto resto = archivo.RestoGuardado();
    archivo.Cerrar();

    hoja.EscribirTexto(edtIdDeclaración, std::to_string(*n));
    hoja.RegistroModificado = false;
    if (!resto.empty())
        mensajes.Mostrar({TextoRestoGuardado(resto), kTítuloAplicación, Icono::Exclamación, Botones::Aceptar,
                          Respuesta::Aceptar});
    return true;
}

bool frmHoja1::EliminarDeclaración(std::int32_t NumRegistro) {
    try {
        const auto ruta = RutaDeclaraciones(carpeta.DatosUsuario());
        ArchivosConCausa causa(archivos);
        ArchivoDeclaraciones archivo(causa, ruta);
        RegistroDeclaración guardado;
        // A missing file is not created just to find that the record is not there.
        if (!archivos.Existe(ruta)) causa.Anotar(ruta, ENOENT);
        if (causa.HayFallo() || !archivo.AbrirLecturaEscritura() || !archivo.Leer(NumRegistro, guardado)) {
            MostrarError(mensajes, TextoErrorEliminar() + "\r" + PorQué(archivo, causa, ruta));
            return false;
        }
        if (Preguntar(mensajes, TextoConfirmarEliminar(guardado)) == Respuesta::Sí &&
            !archivo.Escribir(NumRegistro, RegistroBorrado())) {
            MostrarError(mensajes, TextoErrorEliminar() + "\r" + PorQué(archivo, causa, ruta));
            return false;
        }
    } catch (const std::exception&) {
        MostrarError(mensajes, TextoErrorEliminar());
        return false;
    }
    return true;
}

} // namespace m817

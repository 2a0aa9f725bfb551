#pragma once
// What the dialog frmSeleccionarDeclaración shows and does: the live saved returns as rows of eight columns
// (two hidden), sorted by a clicked column, with the return on screen selected; choosing one gives its record
// number. The dialog only draws this model and reports the user's clicks to it.
#include "model/Catalogo.h"
#include "platform/Archivos.h"
#include "platform/Mensajes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace m817 {

struct ColumnaSelección {
    std::string clave; // Windows-1252, as every text here
    std::string encabezado;
    int ancho;             // twips; 0 hides the column
    Alineación alineación; // the sheet's own alignments
};

inline constexpr int kColumnasSelección = 8;
// Columns 1 to 8; the name column takes what the list width leaves.
std::array<ColumnaSelección, kColumnasSelección> ColumnasSelección(int anchoLista);

class SelecciónDeclaraciones {
  public:
    // Fills the list from the file at ruta, sorts it by N.I.F. and selects the row of numRegistroActual (the
    // return on screen; 0 when unsaved, which selects the first row). False, after telling the user, when
    // there is nothing to choose: the dialog then closes before it is ever shown.
    bool Cargar(ServicioArchivos& archivos, const std::filesystem::path& ruta, ServicioMensajes& mensajes,
                std::int32_t numRegistroActual);

    const std::array<ColumnaSelección, kColumnasSelección>& Columnas() const { return columnas_; }
    void AnchoLista(int ancho) { columnas_ = ColumnasSelección(ancho); }

    // Rows in the order shown, from 0.
    std::size_t NúmeroFilas() const { return orden_.size(); }
    // The text of column 1 to 8 of a row; valid until the next load.
    std::string_view Texto(std::size_t fila, int columna) const;
    // The record number the row stands for in Datos/Declaraciones.txt.
    std::int32_t Registro(std::size_t fila) const { return filas_[orden_[fila]].registro; }

    std::optional<std::size_t> FilaSeleccionada() const;
    void SeleccionarFila(std::size_t fila);

    // A click on the header of column 1 to 8 (the hidden ones are ignored). Clicking the column the list is
    // sorted by reverses the direction; any other starts ascending.
    void PulsarEncabezado(int columna);
    int ColumnaOrden() const { return columnaOrden_; } // 0 before any sort
    bool Descendente() const { return descendente_; }

    // The choose button or a double click on the selected row. When opening or deleting (the dialog's
    // caption, Windows-1252, contains "Abrir" or "Eliminar") a printed return asks first; No keeps the dialog
    // open and returns false. True when the dialog closes with NumRegistroSeleccionado set.
    bool Elegir(ServicioMensajes& mensajes, std::string_view títuloDiálogo);
    // The cancel button.
    void Cancelar() { numRegistroSeleccionado_ = 0; }
    // The chosen record number; 0 if nothing was chosen.
    std::int32_t NumRegistroSeleccionado() const { return numRegistroSeleccionado_; }

    // The "Aviso" question before opening or deleting the printed return of a row.
    std::string TextoAvisoImpresa(std::size_t fila) const;

    // The stored fields a row shows, as they are in the record, one after the other.
    static constexpr std::size_t kAnchoFila = 9 + 75 + 4 + 2 + 1 + 10 + 13;

  private:
    struct Fila {
        std::array<char, kAnchoFila> campos;
        std::int32_t registro;
        // Where the trimmed texts of the first four columns are in campos, worked out once.
        std::array<std::uint8_t, 4> inicio, largo;
        bool complementaria, emitida;
        std::string_view Texto(int columna) const;
    };
    void Añadir(std::string_view bytes, std::int32_t registro);
    // Puts the rows in the order of the columns claves, one after the other, then as they were shown.
    void Ordenar(std::span<const int> claves);
    bool Llenar(ServicioArchivos& archivos, const std::filesystem::path& ruta,
                std::int32_t numRegistroActual, std::string& problema);

    std::array<ColumnaSelección, kColumnasSelección> columnas_ = ColumnasSelección(8000);
    std::vector<Fila> filas_;          // in file order
    std::vector<std::uint32_t> orden_; // rows as shown
    std::optional<std::uint32_t> seleccionada_;
    int columnaOrden_ = 0;
    bool descendente_ = false;
    std::int32_t numRegistroSeleccionado_ = 0;
};

// Texts (Windows-1252) of the dialog.
std::string TextoNingunaDeclaración();
std::string TextoErrorCargarDeclaraciones();

} // namespace m817

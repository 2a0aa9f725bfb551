#!/bin/sh
# Runs every measurement of the program in one go and prints a Markdown table of results and goals:
# the benchmarks of the core (release build) and the start-up and peak memory of the real program beside
# an empty Qt window, both started the same way. Usage: bench/medir.sh [build folder] (default build-release).
# RONDAS sets how many times each program is started (the median counts).
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$raiz/build-release}
export RONDAS=${RONDAS:-15}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target modelo817 bench_ventana_vacia bench_hoja bench_validacion \
  bench_archivo_declaraciones bench_conversion bench_impresion >/dev/null

exec python3 - "$build" <<'EOF'
cpu = {}  # CPU time of each benchmark: the program's own work, whatever else the machine is doing
import json, os, statistics, subprocess, sys, tempfile, time, shutil, random

build = sys.argv[1]
rondas = int(os.environ["RONDAS"])

def bench(nombre, filtro):
    salida = subprocess.run([os.path.join(build, "bench_" + nombre), "--benchmark_format=json",
                             "--benchmark_filter=" + filtro, "--benchmark_min_time=0.5"],
                            check=True, capture_output=True, text=True).stdout
    datos = json.loads(salida)
    res = {}
    for b in datos["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit("%s: %s" % (b["name"], b.get("error_message")))
        escala = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        res[b["name"]] = b["real_time"] * escala
        cpu[b["name"]] = b["cpu_time"] * escala
    return res

# ---- a program folder of our own: the real tables, and a data file of 32,766 returns --------------------
carpeta = tempfile.mkdtemp(prefix="m817-medir-")
shutil.copy(os.path.join(build, "modelo817"), carpeta)
shutil.copytree(os.path.join(build, "Datos"), os.path.join(carpeta, "Datos"))
datos = os.path.join(carpeta, "Datos", "Declaraciones.txt")
if os.path.exists(datos):
    os.remove(datos)

def registro(azar):
    r = bytearray(b" " * 750)
    def poner(pos, texto):
        b = texto.encode("cp1252")
        r[pos:pos + len(b)] = b
    poner(1, "817"); poner(4, "3.2.2"); poner(12, str(2008 + azar.randrange(3)))
    poner(16, "%dT" % (1 + azar.randrange(4))); poner(18, str(azar.randrange(2)))
    poner(37, "%dA" % (10000000 + azar.randrange(5000)))
    apellidos = ["GARCÍA", "MUÑOZ", "LÓPEZ", "PÉREZ", "SÁNCHEZ", "GÓMEZ", "MARTÍN", "JIMÉNEZ"]
    poner(46, "%s %s, %s" % (azar.choice(apellidos), azar.choice(apellidos), azar.choice(["ANA", "JOSÉ", "LUIS"])))
    if azar.randrange(3) == 0:
        poner(725, "8170612345681"); poner(738, "15/11/2010")
    poner(748, "\r\n")
    if azar.randrange(20) == 0:
        r[0:1] = b"*"
    return bytes(r)

def escribir_archivo():
    azar = random.Random(817)
    with open(datos, "wb") as f:
        for _ in range(32766):
            f.write(registro(azar))

# ---- start-up and peak memory, the program and the empty window alternating ------------------------------
entorno = dict(os.environ, QT_QPA_PLATFORM="offscreen", M817_SALIR_AL_MOSTRAR="1",
               FAKETIME="@2010-11-15 10:00:00", FAKETIME_DONT_FAKE_MONOTONIC="1")
# The clock in 2010 spares the exercise warning; both programs run under the same preload.
faketime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
if os.path.exists(faketime):
    entorno["LD_PRELOAD"] = faketime

def arrancar(programa, modo="1"):
    e = dict(entorno, M817_SALIR_AL_MOSTRAR=modo)
    t0 = time.perf_counter()
    p = subprocess.Popen([programa], env=e, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, estado, uso = os.wait4(p.pid, 0)
    t = time.perf_counter() - t0
    if estado != 0:
        sys.exit("%s ended with status %d" % (programa, estado))
    return t, uso.ru_maxrss * 1024

vacia, programa = os.path.join(build, "bench_ventana_vacia"), os.path.join(carpeta, "modelo817")
arrancar(vacia); arrancar(programa)  # warm the page cache
tv, mv, tp, mp = [], [], [], []
for _ in range(rondas):
    t, m = arrancar(vacia); tv.append(t); mv.append(m)
    t, m = arrancar(programa); tp.append(t); mp.append(m)
escribir_archivo()
ml = [arrancar(programa, "lista")[1] for _ in range(3)]
tl = statistics.median([arrancar(programa, "lista")[0] for _ in range(3)])
shutil.rmtree(carpeta)

# ---- the benchmarks -------------------------------------------------------------------------------------
h = bench("hoja", ".")
v = bench("validacion", ".")
a = bench("archivo_declaraciones", ".")
c = bench("conversion", ".")
i = bench("impresion", "TresCopias")

MB = 1024 * 1024
ms = lambda s: "%.1f ms" % (s * 1e3)
us = lambda s: "%.1f µs" % (s * 1e6)
ok = lambda b: "yes" if b else "**no**"
lectura = a["BM_LecturaCompleta"]
filas = []
def fila(medida, valor, meta, cumple):
    filas.append("| %s | %s | %s | %s |" % (medida, valor, meta, ok(cumple) if cumple is not None else "–"))

tv_, tp_ = statistics.median(tv), statistics.median(tp)
mv_, mp_ = max(mv), max(mp)
fila("Start-up of an empty Qt window (QMainWindow + QLineEdit), process start to shown", ms(tv_), "reference", None)
fila("Start-up of the program, process start to the sheet shown and the splash closed", ms(tp_),
     "≤ 3 × empty window (%s)" % ms(3 * tv_), tp_ <= 3 * tv_)
fila("Peak memory, empty window", "%.1f MB" % (mv_ / MB), "reference", None)
fila("Peak memory, program with a new return", "%.1f MB" % (mp_ / MB),
     "≤ 2 × empty window (%.1f MB)" % (2 * mv_ / MB), mp_ <= 2 * mv_)
fila("Peak memory, program with the list of 32,766 returns open", "%.1f MB" % (max(ml) / MB), "< 150 MB",
     max(ml) < 150 * MB)
fila("Start-up with that list opened, process start to shown", ms(tl), "–", None)
fila("Sheet ready: reference tables and a new return (in process; CPU %s)" % ms(cpu["BM_HojaLista"]),
     ms(h["BM_HojaLista"]), "–", None)
t = cpu["BM_TeclaEnCasilla"]
fila("A key typed and taken back in an amount box, then the box checked (filter, edit, calculation, check; CPU)",
     us(t), "one key < 50 µs", t < 50e-6)
fila("Key filter alone, per key (CPU)", "%.0f ns" % (cpu["BM_VerTeclasPorTecla"] * 1e9), "–", None)
t = cpu["BM_ValidarCamposDeclaraciónCompleta"]
fila("Check of the whole return (CPU)", us(t), "< 100 µs", t < 100e-6)
fila("Reading the whole file of 32,766 records once (24.6 MB)", ms(lectura), "reference", None)
for n in (1, 1000, 32766):
    t = a["BM_GuardarDesdeLaHoja/%d" % n]
    fila("Saving a new return from the sheet into a file of %s records" % format(n, ","), ms(t),
         "≤ 3 × read (%s)" % ms(3 * lectura) if n == 32766 else "–", t <= 3 * lectura if n == 32766 else None)
for nombre, medida in (("BM_GuardarNuevaDeclaracion", "Duplicate scan and append, 32,766 records (file only)"),
                       ("BM_AbrirEnLaHoja", "Opening a return onto the sheet, 32,766 records"),
                       ("BM_AbrirUnRegistro", "Reading one record, 32,766 records (file only)"),
                       ("BM_LlenarYOrdenarSeleccion", "Selection list of 32,766 records filled and sorted"),
                       ):
    fila(medida, ms(a[nombre]), "≤ 3 × read (%s)" % ms(3 * lectura), a[nombre] <= 3 * lectura)
fila("Selection list re-sorted by another column (in memory, no file; CPU %s)" % ms(cpu["BM_OrdenarPorOtraColumna"]),
     ms(a["BM_OrdenarPorOtraColumna"]), "–", None)
fila("Reading an old file of 10,000 records once (6.8 MB)", ms(c["BM_LecturaArchivoAntiguo"]), "reference", None)
fila("Converting that file (read, convert, write, sync, rename)", ms(c["BM_ConvertirDiezMil"]), "–", None)
fila("Converting its records in memory", ms(c["BM_ConvertirContenidoDiezMil"]), "–", None)
t = i["BM_ImpresiónOficialTresCopiasPdf"]
fila("Official print, three copies to PDF", ms(t), "–", None)

print("| Measure | Result | Goal | Met |")
print("|---|---|---|---|")
print("\n".join(filas))
print()
print("Start-up: median of %d starts of each, alternating; memory: maximum resident set size." % rondas)
EOF

#!/bin/sh
# The programs as installed: into a prefix of their own that is then made read-only, run by a user with a
# home of their own. The window starts, saves a return through its "Guardar" command into the user's data
# folder, and modelo817-lote lists it from there. Root is not stopped by permissions, so under root the
# programs run as the unprivileged user "nobody". The clock is set to the program's exercise, where starting
# asks nothing.
# Usage: instalacion.sh BUILD_DIR
set -eu
build=$1
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
for f in bin/modelo817 bin/modelo817-lote share/modelo817/Datos/Provincias.txt share/modelo817/Ayuda/ayuda.html \
         share/applications/es.modelo817.Modelo817.desktop share/metainfo/es.modelo817.Modelo817.metainfo.xml \
         share/icons/hicolor/scalable/apps/es.modelo817.Modelo817.svg \
         share/icons/hicolor/48x48/apps/es.modelo817.Modelo817.png share/man/es/man1/modelo817.1.gz \
         share/man/es/man1/modelo817-lote.1.gz; do
    [ -e "$tmp/usr/$f" ] || { echo "no se ha instalado $f"; exit 1; }
done
chmod -R a-w "$tmp/usr"

mkdir -m 700 "$tmp/casa" "$tmp/ejecucion"
como=""
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$tmp/casa" "$tmp/ejecucion"
    como="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
# libfaketime comes first in the list of libraries, which AddressSanitizer would refuse.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
export ASAN_OPTIONS
ejecutar() {
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DATA_DIRS -u XDG_CONFIG_DIRS -u DISPLAY -u WAYLAND_DISPLAY \
        HOME="$tmp/casa" XDG_RUNTIME_DIR="$tmp/ejecucion" QT_QPA_PLATFORM=offscreen \
        timeout 90 $como faketime '2010-11-15 10:00:00' "$@"
}

ejecutar env M817_SALIR_AL_MOSTRAR=guardar "$tmp/usr/bin/modelo817" || {
    echo "la ventana no ha guardado la declaración (estado $?)"; exit 1; }
datos="$tmp/casa/.local/share/modelo817/Declaraciones.txt"
[ -f "$datos" ] || { echo "no está $datos"; find "$tmp/casa"; exit 1; }
[ "$(wc -c < "$datos")" = 750 ] || { echo "$datos no tiene un registro"; exit 1; }
# Nothing of the user's was written beside the program.
[ -z "$(find "$tmp/usr" -newer "$tmp/casa" -type f)" ] || { echo "se ha escrito en el prefijo"; exit 1; }

salida=$(ejecutar "$tmp/usr/bin/modelo817-lote" listar)
echo "$salida"
echo "$salida" | grep -q '^ *1  12345678Z  PRUEBA DE INSTALACION' || { echo "listar no la muestra"; exit 1; }

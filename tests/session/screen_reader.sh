#!/usr/bin/env bash
# What a screen reader reads of the window over AT-SPI, the interface Orca uses: every control named,
# the speed-warning boxes by their category, the pictures as pictures, the hints as descriptions.
source "$(dirname "$0")/session.sh"
SESSION_TOOLS+=(dbus-send /usr/bin/python3 /usr/libexec/at-spi-bus-launcher)
# Debian's own Python, which has the AT-SPI bindings, whatever other Python the PATH may offer.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || session_fail "python3-pyatspi is missing (scripts/test.sh installs it)"
session_start

a11y_bus_is_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
# The desktop's accessibility bus, switched on as a desktop with a screen reader has it; a program
# started afterwards sees it and opens its side of the bus.
/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$SESSION_DIR/a11y.log" 2>&1 &
session_wait_until "the accessibility bus" a11y_bus_is_up
session_start_program

expected="$SESSION_DIR/expected"
cat >"$expected" <<'TREE'
frame "Zorvanti Cribaxon - Ver. Dic. 2005 1.1"
  filler ""
    filler ""
      image "Pitovan"
    filler ""
      image "Rumbelo"
    label "Fichero Origen"
    text "Fichero Origen" [Seleccionar el fichero original de datos del Pitovan o Rumbelo]
      push button "Examinar…" [Seleccionar el fichero original de datos del Pitovan o Rumbelo]
    label "Fichero Final"
    text "Fichero Final" [Seleccionar la carpeta y fichero a crear la base de puntos]
      push button "Examinar…" [Seleccionar la carpeta y fichero a crear la base de puntos]
    check box "Radares fijos"
    check box "Avisar límite Velocidad — Radares fijos"
    check box "Radares móviles"
    check box "Avisar límite Velocidad — Radares móviles"
    check box "Tramos controlados"
    check box "Avisar límite Velocidad — Tramos controlados"
    check box "Puntos peligrosos"
    check box "Avisar límite Velocidad — Puntos peligrosos"
    check box "Puntos negros"
    check box "Avisar límite Velocidad — Puntos negros"
    check box "Zonas de niños"
    check box "Avisar límite Velocidad — Zonas de niños"
    push button "Generar" [Pulsar este botón para generar el nuevo fichero.]
  status bar ""
    label "© 2005 Zorvanti. Derechos reservados."
TREE
# The tree fills in as the program registers its objects; the last reading is kept for the log.
tree_is_complete() {
    timeout 10 /usr/bin/python3 "$(dirname "$0")/accessible_tree.py" >"$SESSION_DIR/tree.log" \
        2>"$SESSION_DIR/python.log" && cmp -s "$expected" "$SESSION_DIR/tree.log"
}
session_wait_until "the window's accessible tree" tree_is_complete
session_log "the screen reader reads $(wc -l <"$SESSION_DIR/tree.log") objects"
session_key alt+F4
session_wait_program_exit

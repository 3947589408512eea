#!/usr/bin/env bash
# What a screen reader reads of the window over AT-SPI, the interface Orca uses: every control named,
# the speed-warning boxes by their category, the pictures as pictures, the hints as descriptions; and
# the boxes it reports at 96, 120, 144 and 192 dots per inch.
# The window at 192 dots per inch is 758 pixels high.
export SESSION_SCREEN=1920x1080x24
source "$(dirname "$0")/session.sh"
SESSION_TOOLS+=(dbus-send /usr/bin/python3 /usr/libexec/at-spi-bus-launcher)
# Debian's own Python, which has the AT-SPI bindings, whatever other Python the PATH may offer.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || session_fail "python3-pyatspi is missing (scripts/test.sh installs it)"
session_start

session_start_accessibility
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

boxes() {
    timeout 10 /usr/bin/python3 "$(dirname "$0")/accessible_tree.py" --boxes >"$SESSION_DIR/boxes.log" \
        2>"$SESSION_DIR/python.log"
}
# Each label (which comes before its field) is the size of its text, clear of its field and no higher,
# with its centre within a pixel of the field's.
labels_are_level() {
    boxes && awk -F'"' '$2 !~ /^Fichero / { next } { split($3, box, " ") }
        $1 ~ /label $/ { split($3, label, " ") }
        $1 ~ /text $/ { offset = 2 * label[2] + label[4] - 2 * box[2] - box[4]
            if (offset > 2 || offset < -2 || label[1] + label[3] > box[1] || label[4] > box[4]) exit 1
            ++level }
        END { exit level != 2 }' "$SESSION_DIR/boxes.log"
}
# The error box's stop icon, as wide and high as PIXELS.
stop_icon_is() {
    boxes && grep -q "^  image \"\" [0-9]* [0-9]* $1 $1\$" "$SESSION_DIR/boxes.log"
}

# At each scale the labels stand level with their fields, and the stop icon grows with the box's text.
declare -A icon_size=([96]=32 [120]=40 [144]=48 [192]=64)
for dpi in 96 120 144 192; do
    if [ "$dpi" != 96 ]; then
        session_set_dpi "$dpi"
        session_start_program
    fi
    session_wait_until "the labels level with their fields at $dpi dots per inch" labels_are_level
    session_type "$SESSION_DIR/work/ninguno.mdb"
    session_key Tab
    session_type "$SESSION_DIR/work/salida.mdb"
    session_key Tab space
    session_wait_box
    session_wait_until "a stop icon of ${icon_size[$dpi]} pixels" stop_icon_is "${icon_size[$dpi]}"
    session_key Return
    session_wait_until "the box to close" session_no_window "$SESSION_BOX_TITLE"
    session_key alt+F4
    session_wait_program_exit
done

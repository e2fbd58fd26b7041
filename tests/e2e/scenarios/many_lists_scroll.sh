# Thirty lists: they come in name order with the numbers by value, each date and count whole; the
# wheel scrolls whole rows, a tap on the scroll bar's track pages down, and the first Escape after it
# still ends the program.

SCROLL_TRACK=(234 200)
ROWS=(100 100)

e2e_install
for n in $(seq 1 28); do
  e2e_add_list "List $n" Packing "2009-12-31 12:00 UTC"
done

e2e_start_corvina
e2e_expect_screen many-lists
xdotool mousemove --window "$CORVINA_WINDOW" "${ROWS[@]}" click 5 || e2e_fail "wheel over the rows"
e2e_tap "${SCROLL_TRACK[@]}"
e2e_key Escape
e2e_expect_exit 0

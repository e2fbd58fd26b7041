# Tap-and-hold on a row selects it and opens the Document menu at the pen; a tap beside the menu
# closes it and the row stays selected; a hold below the rows opens the same menu and keeps it.

SECOND_ROW=(100 72)
BELOW_ROWS=(100 200)
BESIDE_MENU=(20 250)

e2e_install
e2e_add_list Camping Packing "2004-03-05 12:00 UTC"

e2e_start_corvina
e2e_hold "${SECOND_ROW[@]}"
e2e_expect_screen menu-on-row
e2e_tap "${BESIDE_MENU[@]}"
e2e_expect_screen row-selected
e2e_hold "${BELOW_ROWS[@]}"
e2e_expect_screen menu-below-rows

# Escape closes the menu: the screen is as it was before the hold.
e2e_key Escape
e2e_expect_screen menu-closed --hold "${SECOND_ROW[0]},${SECOND_ROW[1]}" --tap "${BESIDE_MENU[0]},${BESIDE_MENU[1]}"
e2e_key Escape
e2e_expect_exit 0

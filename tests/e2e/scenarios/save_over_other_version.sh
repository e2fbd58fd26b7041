# A list edited in the window while another program, corvina-tool, writes its file: Save asks before
# replacing that version. Enter and Escape do not answer; No keeps the other version on disk and the
# changes in the editor; only Yes writes the list over it.

FIRST_ROW=(60 55)
DAIRY_BOX=(7 61)
LIST_BUTTON=(16 307)
SAVE=(30 250)
# The steps that open Shopping and tick Dairy, for the screens replayed after the question.
TICKED=(--double-tap "${FIRST_ROW[0]},${FIRST_ROW[1]}" --tap "${DAIRY_BOX[0]},${DAIRY_BOX[1]}")

e2e_install
e2e_remove_list Packing
e2e_start_corvina
e2e_double_tap "${FIRST_ROW[@]}"
e2e_tap "${DAIRY_BOX[@]}"
e2e_expect_screen dairy-ticked

# The other program imports a text over the open list.
printf '0\tTent\t1\t0\tpoles in the bag\t2\n' >"$E2E_WORK/tent.txt"
e2e_tool import "$E2E_WORK/tent.txt" Shopping.crv || e2e_fail "corvina-tool could not write Shopping.crv"
OTHER_VERSION='Shopping: 1 item
[ ] 2 x Tent
    | poles in the bag'
e2e_expect_tree Shopping <<<"$OTHER_VERSION"

e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${SAVE[@]}"
# Neither key answers the question; then Tab to No and Space: back in the editor with the changes.
e2e_key Return Escape Tab space
e2e_expect_screen changes-kept "${TICKED[@]}"
e2e_expect_tree Shopping <<<"$OTHER_VERSION"

# Save again; Space presses the focused Yes and the list is written over the other version.
e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${SAVE[@]}"
e2e_key space
e2e_expect_screen saved "${TICKED[@]}" --tap "${LIST_BUTTON[0]},${LIST_BUTTON[1]}" --tap "${SAVE[0]},${SAVE[1]}"

e2e_key Escape Escape
e2e_expect_exit 0
e2e_expect_tree Shopping <"$here/lib/shopping-with-dairy-ticked.tree"

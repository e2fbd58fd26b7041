# A list opened with a double tap; the window's own close button while the editor holds unsaved
# changes asks the save question first; Cancel goes back to the list, and answering No ends the
# program with the list file as it was.

FIRST_ROW=(60 55)
DAIRY_BOX=(7 61)

e2e_install
e2e_remove_list Packing
e2e_start_corvina
e2e_double_tap "${FIRST_ROW[@]}"
e2e_tap "${DAIRY_BOX[@]}"
e2e_expect_screen dairy-ticked

e2e_close_window
# The same question as Escape asks, with Yes, No and Cancel.
e2e_expect_screen save-question --tap "${FIRST_ROW[0]},${FIRST_ROW[1]}" --key Return \
  --tap "${DAIRY_BOX[0]},${DAIRY_BOX[1]}" --key Escape
# Escape in it is Cancel: back to the list, ticked and marked, as it was.
e2e_key Escape
e2e_expect_screen dairy-ticked --double-tap "${FIRST_ROW[0]},${FIRST_ROW[1]}" --tap "${DAIRY_BOX[0]},${DAIRY_BOX[1]}"
e2e_close_window
# Tab moves the focus from Yes to No; Space presses it.
e2e_key Tab space
e2e_expect_exit 0
cmp "$E2E_LISTS/Shopping.crv" "$CORVINA_SOURCE_DIR/res/samples/Shopping.crv" || e2e_fail "the list was saved"

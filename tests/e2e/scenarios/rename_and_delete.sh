# Lists renamed and deleted from the Document menu: a Delete answered Cancel removes nothing, a Delete
# answered OK removes its list and no other, and Rename gives a list a new name that the rows show.

DOCUMENT_BUTTON=(70 310)
RENAME_ENTRY=(80 234)
DELETE_ENTRY=(80 284)
CAPTION_OK=(222 13)
ROW_X=60

e2e_install
e2e_add_list Camping Packing "2004-03-05 12:00 UTC"
e2e_start_corvina

e2e_tap "$ROW_X" "$(e2e_row_y Camping)"
e2e_tap "${DOCUMENT_BUTTON[@]}"
e2e_tap "${DELETE_ENTRY[@]}"
e2e_expect_screen delete-camping-question
# Escape answers Cancel.
e2e_key Escape
e2e_expect_screen camping-kept
e2e_expect_lists Camping Packing Shopping

e2e_tap "$ROW_X" "$(e2e_row_y Packing)"
e2e_tap "${DOCUMENT_BUTTON[@]}"
e2e_tap "${DELETE_ENTRY[@]}"
# Enter does not answer; OK, the default button, has the focus and Space presses it.
e2e_key Return
e2e_expect_screen delete-packing-question
e2e_expect_lists Camping Packing Shopping
e2e_key space
e2e_expect_screen packing-deleted
e2e_expect_lists Camping Shopping

e2e_tap "$ROW_X" "$(e2e_row_y Shopping)"
e2e_tap "${DOCUMENT_BUTTON[@]}"
e2e_tap "${RENAME_ENTRY[@]}"
e2e_expect_screen rename-dialog
e2e_type "Groceries"
e2e_tap "${CAPTION_OK[@]}"
e2e_expect_screen shopping-renamed

e2e_key Escape
e2e_expect_exit 0
e2e_expect_lists Camping Groceries
cmp "$E2E_LISTS/Groceries.crv" "$CORVINA_SOURCE_DIR/res/samples/Shopping.crv" || e2e_fail "the renamed list changed"

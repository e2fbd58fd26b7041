# A list edited in the window and the program killed before it was saved: the recovery copy is
# written within a second of the tick; the next open of the list asks whether to restore the changes,
# Yes (the default button) brings them back, and Close with Yes saves them into the list.

FIRST_ROW=(60 55)
DAIRY_BOX=(7 61)
LIST_BUTTON=(16 307)
CLOSE=(30 284)
RECOVERY_COPY="$DEVICE_ROOT/.system/Recovery/Shopping.crv"

e2e_install
e2e_remove_list Packing
e2e_start_corvina
e2e_double_tap "${FIRST_ROW[@]}"
e2e_tap "${DAIRY_BOX[@]}"
e2e_expect_screen dairy-ticked
e2e_poll "$E2E_TIMEOUT_SECONDS" test -f "$RECOVERY_COPY" || e2e_fail "no recovery copy was written"

kill -KILL "$CORVINA_PID"
e2e_expect_exit 137
cmp -s "$E2E_LISTS/Shopping.crv" "$CORVINA_SOURCE_DIR/res/samples/Shopping.crv" || e2e_fail "the list changed unsaved"

e2e_start_corvina
e2e_double_tap "${FIRST_ROW[@]}"
e2e_expect_screen restore-question
e2e_key space
e2e_expect_screen restored
e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${CLOSE[@]}"
e2e_key space
e2e_expect_screen document-list-after
[ ! -e "$RECOVERY_COPY" ] || e2e_fail "the recovery copy outlived the save"

e2e_key Escape
e2e_expect_exit 0
e2e_expect_lists Shopping
# The sample as it was, with Dairy ticked.
e2e_expect_tree Shopping <"$here/lib/shopping-with-dairy-ticked.tree"

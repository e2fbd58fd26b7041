# A list through text and back: Export a sample list to a text file, Import that file as a new list
# and save it under another name; the two lists' exports are the same, byte for byte.

FIRST_ROW=(60 55)
NEW_BUTTON=(20 310)
DOCUMENT_BUTTON=(70 310)
EXPORT_ENTRY=(80 259)
IMPORT_ENTRY=(40 286)
CAPTION_OK=(222 13)
LIST_BUTTON=(16 307)
SAVE_AS=(40 267)
CLOSE=(30 284)

e2e_install
e2e_remove_list Packing
e2e_make_folder "My Documents"
e2e_start_corvina

e2e_tap "${FIRST_ROW[@]}"
e2e_tap "${DOCUMENT_BUTTON[@]}"
e2e_tap "${EXPORT_ENTRY[@]}"
e2e_expect_screen export-proposes-the-name
e2e_tap "${CAPTION_OK[@]}"

e2e_tap "${NEW_BUTTON[@]}"
e2e_tap "${IMPORT_ENTRY[@]}"
e2e_expect_screen import-shows-the-text-file
e2e_type "Shopping.txt"
e2e_tap "${CAPTION_OK[@]}"
e2e_expect_screen imported-untitled-list

e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${SAVE_AS[@]}"
e2e_type "Shopping again"
e2e_tap "${CAPTION_OK[@]}"
e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${CLOSE[@]}"
e2e_expect_screen both-lists

e2e_key Escape
e2e_expect_exit 0
e2e_expect_lists Shopping "Shopping again"
e2e_tool export Shopping.crv "$E2E_WORK/first.txt" || e2e_fail "corvina-tool cannot export Shopping.crv"
e2e_tool export "Shopping again.crv" "$E2E_WORK/second.txt" || e2e_fail "corvina-tool cannot export the import"
cmp "$E2E_WORK/first.txt" "$E2E_WORK/second.txt" || e2e_fail "the imported list differs from the exported one"
cmp "$E2E_WORK/first.txt" "$DEVICE_ROOT/My Documents/Shopping.txt" || e2e_fail "Export wrote other text"

# A new list made from nothing: New, Add Item with a typed title, quantity and importance, Add
# Subitem, Save as with a typed name, Close; the document list shows the new row with its count and
# the file holds the tree.

NEW_BUTTON=(20 310)
CREATE_NEW_LIST=(60 268)
ADD_ITEM_TOOL=(87 307)
HIGH_IMPORTANCE=(43 120)
CAPTION_OK=(222 13)
FIRST_ROW=(150 62)
LIST_BUTTON=(16 307)
ITEM_BUTTON=(54 307)
ADD_SUBITEM=(90 198)
SAVE_AS=(40 267)
CLOSE=(30 284)

e2e_install
e2e_start_corvina
e2e_tap "${NEW_BUTTON[@]}"
e2e_tap "${CREATE_NEW_LIST[@]}"
e2e_expect_screen untitled-list

e2e_tap "${ADD_ITEM_TOOL[@]}"
e2e_type "Milk"
e2e_key Tab BackSpace
e2e_type "2"
e2e_tap "${HIGH_IMPORTANCE[@]}"
e2e_expect_screen milk-details
e2e_tap "${CAPTION_OK[@]}"

e2e_tap "${FIRST_ROW[@]}"
e2e_tap "${ITEM_BUTTON[@]}"
e2e_tap "${ADD_SUBITEM[@]}"
e2e_type "Skimmed"
e2e_tap "${CAPTION_OK[@]}"

e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${SAVE_AS[@]}"
e2e_type "Dairy"
e2e_tap "${CAPTION_OK[@]}"
e2e_expect_screen saved-as-dairy

e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${CLOSE[@]}"
e2e_expect_screen document-list-with-dairy

e2e_key Escape
e2e_expect_exit 0
e2e_expect_lists Dairy Packing Shopping
e2e_expect_tree Dairy <<'TREE'
Dairy: 2 items
[ ] 2 x Milk  (high)
    [ ] 1 x Skimmed
TREE

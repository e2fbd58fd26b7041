# A sample list edited and kept: open it with Enter, tick two items, Check all, Uncheck all, move
# a group up, delete an item, Close and answer Yes (with the keyboard: Space, never Enter) to the
# save question.

FIRST_ROW=(60 55)
DAIRY_BOX=(7 61)
EGGS_BOX=(7 136)
BAKERY_ROW=(120 151)
BASIL_ROW=(120 241)
LIST_BUTTON=(16 307)
ITEM_BUTTON=(54 307)
MOVE_UP_TOOL=(117 307)
CHECK_ALL=(60 205)
UNCHECK_ALL=(60 223)
DELETE_ITEM=(80 241)
CLOSE=(30 284)

e2e_install
e2e_remove_list Packing
e2e_start_corvina
e2e_tap "${FIRST_ROW[@]}"
e2e_key Return
e2e_expect_screen shopping-open

e2e_tap "${DAIRY_BOX[@]}"
e2e_tap "${EGGS_BOX[@]}"
e2e_expect_screen two-ticked
e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${CHECK_ALL[@]}"
e2e_expect_screen all-checked
e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${UNCHECK_ALL[@]}"

e2e_tap "${BAKERY_ROW[@]}"
e2e_tap "${MOVE_UP_TOOL[@]}"
e2e_tap "${BASIL_ROW[@]}"
e2e_tap "${ITEM_BUTTON[@]}"
e2e_tap "${DELETE_ITEM[@]}"
e2e_expect_screen moved-and-deleted

e2e_tap "${LIST_BUTTON[@]}"
e2e_tap "${CLOSE[@]}"
e2e_expect_screen save-question
# Enter is no answer; Space presses the focused button, the default Yes.
e2e_key Return
e2e_expect_screen save-question
e2e_key space
e2e_expect_screen document-list-after

e2e_key Escape
e2e_expect_exit 0
e2e_expect_tree Shopping <<'TREE'
Shopping: 14 items
[ ] 1 x Bakery
    [ ] 1 x Rye bread
    [ ] 4 x Croissants  (low)
        | only if fresh
        | ask at the counter
[ ] 1 x Dairy  (high)
    [ ] 2 x Milk  (high)
        | semi-skimmed, not whole
    [ ] 1 x Cheese
        [ ] 1 x Cheddar
            | mature
        [ ] 1 x Goat's cheese  (low)
    [ ] 12 x Eggs
        | free range
[ ] 1 x Fruit and vegetables
    [ ] 6 x Apples
        | Braeburn, or Gala
    [ ] 4 x Tomatoes
[ ] 1 x Coffee  (high)
    | beans, not ground
[ ] 1 x Washing-up liquid  (low)
TREE

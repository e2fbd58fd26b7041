# A first look: Corvina starts on a device with three lists and shows them; About, from the Tools
# menu, shows the about box, whose OK brings the lists back; Escape ends the program.

# Where the device screen's buttons are, in its own pixels.
TOOLS_BUTTON=(150 310)
ABOUT_ITEM=(180 284)
CAPTION_OK=(222 11)

e2e_install
e2e_add_list Camping Packing "2004-03-05 12:00 UTC"
e2e_set_list_date Shopping "2009-12-31 12:00 UTC"
e2e_set_list_date Packing "2010-01-01 12:00 UTC"

e2e_start_corvina
e2e_expect_screen document-list

e2e_tap "${TOOLS_BUTTON[@]}"
e2e_expect_screen tools-menu
e2e_tap "${ABOUT_ITEM[@]}"
e2e_expect_screen about-box
e2e_tap "${CAPTION_OK[@]}"
e2e_expect_screen document-list-again

e2e_key Escape
e2e_expect_exit 0

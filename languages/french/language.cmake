# The French build: how postsift-filter and the packages name it, and its
# Windows version resource (the description in Windows-1252, octal escapes).
set(language_code fr)
set(language_name French)
set(language_rc_primary 0x0c)
set(language_rc_id 040c)
set(language_rc_description "Filtre d'e-mails pour la synth\\350se vocale (fran\\347ais)")

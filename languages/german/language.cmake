# The German build: how postsift-filter and the packages name it, and its
# Windows version resource (the description in Windows-1252, octal escapes).
set(language_code de)
set(language_name German)
set(language_rc_primary 0x07)
set(language_rc_id 0407)
set(language_rc_description "E-Mail-Filter f\\374r die Sprachausgabe (deutsch)")

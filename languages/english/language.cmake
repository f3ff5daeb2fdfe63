# The English build: how postsift-filter and the packages name it, and its
# Windows version resource (the description in Windows-1252, octal escapes).
set(language_code en)
set(language_name English)
set(language_rc_primary 0x09)
set(language_rc_id 0409)
set(language_rc_description "E-mail filter for speech synthesis (English)")

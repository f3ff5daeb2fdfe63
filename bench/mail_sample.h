#pragma once
#include <cstddef>
#include <string>

namespace postsift::bench {

// A message of about `size` bytes (never less) built to look like the mail
// of a busy mailing list: a block of transport and list headers, then a
// multipart body whose text part is a long thread (paragraphs, replies
// quoted to several levels under their attribution lines, signatures, URLs,
// addresses, emoticons, decoration, a forwarded "Original Message" section)
// followed by an attachment in base64. Windows-1252 text, LF line ends, the
// same bytes on every run.
std::string mailSample(std::size_t size);

}  // namespace postsift::bench

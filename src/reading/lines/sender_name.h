#pragma once
#include <string>

namespace postsift {

// A sender as a From: line gives one, read so that a person's name, not an
// address, can be said.
struct mailbox {
    std::string name;     // the name as written, quotes and escapes taken away; empty when none
    std::string address;  // the address; empty when there is none
    std::string local;    // the address a person sees, when there is no name: its local part ...
    std::string domain;   // ... and its domain
};

// Reads a value that holds one sender: "Name <a@b>", "\"Last, First\"
// <a@b>", "a@b (Name)", "\"Name\" a@b", "a@b", "<a@b>", or a name alone.
// False for anything else (two addresses, a quote, comment or bracket left
// open, words after the address in brackets): that is said as written. A
// name without a letter counts as none; a name that is itself an address
// ("\"x@y\" <z@y>") is none either, but it is the address a person sees.
bool readMailbox(const char* from, const char* to, mailbox& box);

// A name as a person says it: "Last, First", one word on each side,
// turned round to "First Last"; a name of more parts as written.
std::string nameAsSaid(const std::string& name);

// An address's local part said as words: "jo.lee" is "jo lee", "m_ruiz"
// "m ruiz".
std::string localPartAsWords(const std::string& local);

// Whether a local part names a role ("info", "noreply", "postmaster",
// "admin" ...) rather than a person, in any case.
bool isRoleName(const std::string& local);

}  // namespace postsift

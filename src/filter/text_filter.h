#pragma once

namespace postsift {

// The base of every filter handed to the engine. Its virtual operations are
// declared in their fixed slot order; slots 0 to 5 here.
class textFilter {
public:
    textFilter() = default;
    textFilter(const textFilter&) = delete;
    textFilter& operator=(const textFilter&) = delete;

    virtual int getFilteredText(const char* text, const char** out, unsigned char force);  // 0
    virtual int activateFilter();                                                           // 1
    virtual int deactivateFilter();                                                         // 2
    virtual int deleteFilter();                                                             // 3
    virtual unsigned char isActive();                                                       // 4
    virtual int updateFilter(const char* key, const char* value);                           // 5

    unsigned char active = 0;

protected:
    // Filters are destroyed as an epostSift, never through this base.
    ~textFilter() = default;
};

}  // namespace postsift

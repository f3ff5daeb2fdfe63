#include "plugin_exports.h"

namespace postsift {
namespace {

template <typename Function>
bool resolveOne(platform::pluginLibrary& library, exportLookup lookup, const char* name,
                unsigned ordinal, Function& target, std::string& error) {
    void* symbol = lookup == exportLookup::byOrdinal ? library.byOrdinal(ordinal) : library.byName(name);
    if (symbol == nullptr) {
        error = library.error();
        return false;
    }
    target = reinterpret_cast<Function>(symbol);
    return true;
}

}  // namespace

bool resolveExports(platform::pluginLibrary& library, exportLookup lookup, pluginExports& exports,
                    std::string& error) {
    return resolveOne(library, lookup, "getObject", POSTSIFT_ORDINAL_GETOBJECT, exports.getObject, error) &&
           resolveOne(library, lookup, "DllRegisterServer", POSTSIFT_ORDINAL_DLLREGISTERSERVER,
                      exports.registerServer, error) &&
           resolveOne(library, lookup, "DllUnregisterServer", POSTSIFT_ORDINAL_DLLUNREGISTERSERVER,
                      exports.unregisterServer, error) &&
           resolveOne(library, lookup, "_zelNewFilter", POSTSIFT_ORDINAL_NEWFILTER, exports.newFilter, error) &&
           resolveOne(library, lookup, "_zelDeleteFilter", POSTSIFT_ORDINAL_DELETEFILTER, exports.deleteFilter,
                      error) &&
           resolveOne(library, lookup, "_zelSetFilter", POSTSIFT_ORDINAL_SETFILTER, exports.setFilter, error) &&
           resolveOne(library, lookup, "_zelDeactivateFilter", POSTSIFT_ORDINAL_DEACTIVATEFILTER,
                      exports.deactivateFilter, error) &&
           resolveOne(library, lookup, "_zelGetFilteredText", POSTSIFT_ORDINAL_GETFILTEREDTEXT,
                      exports.getFilteredText, error) &&
           resolveOne(library, lookup, "_zelUpdateFilter", POSTSIFT_ORDINAL_UPDATEFILTER, exports.updateFilter,
                      error) &&
           resolveOne(library, lookup, "_zelActivateFilter", POSTSIFT_ORDINAL_ACTIVATEFILTER,
                      exports.activateFilter, error);
}

exportLookup preferredLookup() {
    return platform::pluginLibrary::hasOrdinals() ? exportLookup::byOrdinal : exportLookup::byName;
}

}  // namespace postsift

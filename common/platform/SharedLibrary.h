#pragma once
// A run-time library loaded with dlopen and bound by name: the file viewer
// and the macro library. The file is looked for next to the running
// program first, then in the install's library folders beside it
// ("../lib", "../lib/orvex"), then by the system's own search.
#include <memory>
#include <string>

namespace orvex {

class SharedLibrary {
public:
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The library, or null when no file of that name loads (error() of the
    // last attempt tells why).
    static std::unique_ptr<SharedLibrary> load(const std::string& fileName, std::string* error = nullptr);
    // An exported symbol, or null.
    void* symbol(const char* name) const;
    const std::string& path() const { return m_path; }

    // The folder of the running program.
    static std::string programFolder();

private:
    SharedLibrary(void* handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}
    void* m_handle;
    std::string m_path;
};

}  // namespace orvex

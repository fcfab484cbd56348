#include "common/platform/SharedLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace orvex {

SharedLibrary::~SharedLibrary() {
    if (m_handle) ::dlclose(m_handle);
}

std::string SharedLibrary::programFolder() {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    std::string path(buf.data(), size_t(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::string& fileName, std::string* error) {
    std::vector<std::string> candidates;
    const std::string folder = programFolder();
    if (!folder.empty()) {
        candidates.push_back(folder + "/" + fileName);
        candidates.push_back(folder + "/../lib/" + fileName);
        candidates.push_back(folder + "/../lib/orvex/" + fileName);
    }
    candidates.push_back(fileName);  // the system's search
    std::string last;
    for (const std::string& c : candidates) {
        if (c.find('/') != std::string::npos && ::access(c.c_str(), F_OK) != 0) continue;
        if (void* h = ::dlopen(c.c_str(), RTLD_NOW | RTLD_LOCAL)) return std::unique_ptr<SharedLibrary>(new SharedLibrary(h, c));
        if (const char* e = ::dlerror()) last = e;
    }
    if (error) *error = last.empty() ? fileName + ": not found" : last;
    return nullptr;
}

void* SharedLibrary::symbol(const char* name) const { return m_handle ? ::dlsym(m_handle, name) : nullptr; }

}  // namespace orvex

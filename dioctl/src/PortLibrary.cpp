#include "PortLibrary.h"

#include <dlfcn.h>

#include <cstdlib>

#include "ole/Errors.h"

namespace dioctl {

std::string PortLibraryName() {
    const char* env = std::getenv(portio::kLibraryEnv);
    return env && *env ? env : portio::kDefaultLibrary;
}

std::vector<std::string> PortLibraryFiles(const std::string& name) {
    if (name.find('/') != std::string::npos) return {name};
    const bool fileName = name.ends_with(".so") || name.find(".so.") != std::string::npos;
    const std::string file = fileName ? name : "lib" + name + ".so";
    std::vector<std::string> files;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&PortLibraryFiles), &info) && info.dli_fname) {
        std::string self = info.dli_fname;
        size_t slash = self.rfind('/');
        if (slash != std::string::npos) {
            std::string dir = self.substr(0, slash);
            files.push_back(dir + "/" + file);
            files.push_back(dir + "/../lib/" + file);
        }
    }
    files.push_back(file);
    return files;
}

PortLibrary::~PortLibrary() { Unload(); }

void PortLibrary::Unload() {
    m_fn = nullptr;
    if (m_handle) dlclose(m_handle);
    m_handle = nullptr;
    m_file.clear();
}

void PortLibrary::Ensure() {
    if (m_fn) return;
    const std::string name = PortLibraryName();
    std::string why;
    for (const std::string& file : PortLibraryFiles(name)) {
        m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (m_handle) {
            m_file = file;
            break;
        }
        const char* e = dlerror();
        // The loader's own search says the most about a missing library.
        why = e ? e : "";
    }
    if (!m_handle)
        throw ole::RuntimeError(ole::kErrFileNotFound,
                                "File not found: " + name + " (" + why + ")");

    auto fn = reinterpret_cast<vbPortIOFn>(dlsym(m_handle, "vbPortIO"));
    if (!fn) {
        Unload();
        throw ole::RuntimeError(ole::kErrNoEntryPoint,
                                "Can't find library entry point vbPortIO in " + name);
    }
    if (auto open = reinterpret_cast<PortIOOpenFn>(dlsym(m_handle, "PortIOOpen"))) {
        char message[512] = {};
        int32_t number = open(message, sizeof message);
        if (number != 0) {
            Unload();
            throw ole::RuntimeError(number, message[0] ? message : "");
        }
    }
    m_fn = fn;
}

}  // namespace dioctl

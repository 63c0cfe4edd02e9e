#pragma once
// A registry file of the test's own, removed afterwards.
#include "automation/ServerRegistry.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace automationtest {

class TempRegistry {
  public:
    TempRegistry() {
        static int n = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("idj-registry-" + std::to_string(getpid()) + "-" + std::to_string(++n));
        std::filesystem::remove_all(dir_);
        path_ = (dir_ / "sub" / "registry").string();
        automation::setRegistryPath(path_);
    }
    ~TempRegistry() {
        automation::setRegistryPath({});
        std::filesystem::remove_all(dir_);
    }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::filesystem::path dir_;
    std::string path_;
};

} // namespace automationtest

// Module loading.
#include <gtest/gtest.h>

#include "support/ErrorOf.hpp"

#include <kovo/Runtime.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace kovo {
namespace {

std::string loadError(std::string const& name) {
  return testsupport::errorOf<HostError>([&] { Runtime::loadModule(name); });
}

TEST(Modules, SearchPathAndErrors) {
  namespace fs = std::filesystem;
  fs::path const dir = fs::temp_directory_path() / ("kovo-modules-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  {
    std::FILE* f = std::fopen((dir / "libbroken.so").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("not a library", f);
    std::fclose(f);
  }
  ::setenv("QUILLON_MODULE_PATH", (":/nonexistent:" + dir.string()).c_str(), 1);
  auto const path = Runtime::modulePath();
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(path[0], "/nonexistent");
  EXPECT_EQ(path[1], dir.string());

  EXPECT_EQ(loadError("absent"), "Cannot load module \"absent\": libabsent.so not found in the module path");
  EXPECT_EQ(loadError("a/b"), "Cannot load module \"a/b\": invalid module name");
  std::string const broken = loadError("broken");
  EXPECT_EQ(broken.rfind("Cannot load module \"broken\": ", 0), 0u) << broken;
  EXPECT_FALSE(Runtime::isLoaded("broken"));

  // The host library's own directory is searched last: the host finds
  // itself, and refuses it, since it is no module.
  EXPECT_EQ(loadError("kovo"), "Cannot load module \"kovo\": libkovo.so is not a module (it has no QnInitialize_kovo)");
  EXPECT_FALSE(Runtime::isLoaded("kovo"));
  fs::remove_all(dir);
  ::unsetenv("QUILLON_MODULE_PATH");
}

}  // namespace
}  // namespace kovo

// backend: choosing the driver.
#include "backend/driver.h"

#include <memory>

#include "backend/headless/headless.h"
#include "backend/sdl/sdl.h"

namespace win32::backend {
namespace {

std::unique_ptr<Driver> current;
HeadlessDriver *headless = nullptr;

}  // namespace

void useHeadless() {
  auto driver = std::make_unique<HeadlessDriver>();
  headless = driver.get();
  current = std::move(driver);
}

bool useSdl(std::string &error) {
  auto driver = SdlDriver::open(error);
  if (!driver) return false;
  headless = nullptr;
  current = std::move(driver);
  return true;
}

Driver &driver() {
  if (!current) {
    std::string error;
    if (!useSdl(error)) useHeadless();
  }
  return *current;
}

bool isHeadless() { return headless != nullptr; }

void advanceHeadlessClock(uint64_t ms) {
  if (headless) headless->advance(ms);
}

void injectHeadlessEvent(const Event &event) {
  if (headless) headless->inject(event);
}

}  // namespace win32::backend

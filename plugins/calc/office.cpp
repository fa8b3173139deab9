#include "office.h"

#include <unistd.h>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace qrv::calc {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr auto kStartLimit = std::chrono::seconds(60);

std::mutex& OfficeMutex() {
  static std::mutex m;
  return m;
}

std::shared_ptr<Office>& Current() {
  static std::shared_ptr<Office> office;
  return office;
}

std::atomic<bool> exiting{false};

// Registered after the UNO runtime set itself up, so it runs before the runtime's own exit
// handlers tear it down.
void OnExit() {
  exiting = true;
  Office::Release();
}

std::string ProgramDir() {
  const char* dir = std::getenv("QUORVANE_OFFICE_DIR");
  return dir != nullptr && *dir != '\0' ? dir : QRV_OFFICE_PROGRAM_DIR;
}

std::string UniquePipeName() {
  static std::atomic<int> serial{0};
  return "quorvane_" + std::to_string(getpid()) + "_" + std::to_string(++serial);
}

Reference<css::uno::XComponentContext> LocalContext(const std::string& program_dir) {
  static Reference<css::uno::XComponentContext> local;
  if (!local.is()) {
    // The office's API types beside the runtime's own, for the proxies of its objects.
    rtl::Bootstrap::set(
        "URE_MORE_TYPES",
        OUString::createFromAscii(("file://" + program_dir + "/types/offapi.rdb").c_str()));
    const std::string ini = "file://" + program_dir + "/unorc";
    local = cppu::defaultBootstrap_InitialComponentContext(OUString::createFromAscii(ini.c_str()));
  }
  return local;
}

}  // namespace

Office::Office(const std::string& program_dir, const std::string& pipe_name)
    : process_(program_dir, pipe_name) {
  const auto local = LocalContext(program_dir);
  const auto connector = css::connection::Connector::create(local);
  const OUString address = OUString::createFromAscii(("pipe,name=" + pipe_name).c_str());
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  Reference<css::connection::XConnection> connection;
  while (!connection.is()) {
    try {
      connection = connector->connect(address);
    } catch (const css::connection::NoConnectException&) {
      if (!process_.Running()) throw std::runtime_error("the office ended while starting");
      if (std::chrono::steady_clock::now() > deadline) {
        throw std::runtime_error("the office did not answer within a minute");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  const auto bridges = css::bridge::BridgeFactory::create(local);
  const auto bridge = bridges->createBridge("", "urp", connection, nullptr);
  uno_->bridge.set(bridge, UNO_QUERY_THROW);
  const Reference<css::uno::XComponentContext> remote(
      bridge->getInstance("StarOffice.ComponentContext"), UNO_QUERY_THROW);
  uno_->loader.set(css::frame::Desktop::create(remote), UNO_QUERY_THROW);
}

Office::~Office() {
  if (Exiting()) {
    (void)uno_.release();  // see Exiting()
    return;
  }
  // The bridge's threads stop before the office goes away under them.
  try {
    uno_->loader.clear();
    if (uno_->bridge.is()) uno_->bridge->dispose();
  } catch (...) {
  }
}

bool Office::Exiting() {
  return exiting;
}

std::shared_ptr<Office> Office::Get() {
  std::lock_guard lock(OfficeMutex());
  auto& office = Current();
  if (office && !office->Running()) office.reset();
  if (!office) office.reset(new Office(ProgramDir(), UniquePipeName()));
  std::atexit(OnExit);
  return office;
}

void Office::Release() {
  std::lock_guard lock(OfficeMutex());
  Current().reset();
}

}  // namespace qrv::calc

// The one office of the host process and the UNO connection to it: started on first use, kept
// until the module unloads.
#pragma once

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/XComponent.hpp>

#include <memory>
#include <string>

#include "calc_text.h"
#include "office_process.h"

namespace qrv::calc {

namespace css = com::sun::star;

class Office {
 public:
  // The office ready for use, started or started again when it is not running. Throws
  // std::runtime_error (office missing or not answering) or a UNO exception.
  static std::shared_ptr<Office> Get();
  // Drops the process-wide office: its watchdog ends the office process.
  static void Release();
  // True once the process is exiting. The UNO runtime's own objects may be gone by then, so
  // nothing may call through an office reference any more, not even to release it: such
  // references are left as they are.
  static bool Exiting();

  ~Office();
  css::uno::Reference<css::frame::XComponentLoader> Loader() const { return uno_->loader; }
  bool Running() const { return process_.Running(); }

 private:
  struct Uno {
    css::uno::Reference<css::lang::XComponent> bridge;
    css::uno::Reference<css::frame::XComponentLoader> loader;
  };

  Office(const std::string& program_dir, const std::string& pipe_name);

  OfficeProcess process_;
  std::unique_ptr<Uno> uno_ = std::make_unique<Uno>();
};

}  // namespace qrv::calc

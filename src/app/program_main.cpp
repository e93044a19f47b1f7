#include "app/program_main.h"

#include <string>

#include "positions/position_store_instance.h"
#include "runtime/desktop_settings.h"
#include "runtime/message.h"
#include "windows/main_frame.h"

namespace lumo {

rt::NamedMutex* InstanceMutex = nullptr;
std::int32_t MutexError = 0;
std::int32_t MutexWaitResult = 0;
std::uint32_t DragSetting = 0;
std::uint32_t DragScratch = 0;
rt::TextMatcher TextMatcher;

namespace {

constexpr const char* kHaltText = "El programa no puede ejecutarse";

}  // namespace

void programMain() {
  rt::message(
      "Se va a pedir un Mutex para evitar que este programa ejecute 2 veces| Ver Global Embeds");
  InstanceMutex = rt::NamedMutex::create(kMutexName, MutexError).release();
  if (InstanceMutex == nullptr) {
    rt::message("ERROR: No puede crearse el Mutex " + std::to_string(MutexError));
    rt::halt(kHaltText);
  }
  MutexWaitResult = InstanceMutex->tryWait(50);
  if (MutexWaitResult <= 0) {
    rt::message(
        "El Mutex fue asignado, no se podran generar mas instancias del programa hasta que no se "
        "cierre y se libere el Mutex");
  } else if (MutexWaitResult == 1) {
    rt::message("El programa ya esta en ejecucion, no se pueden ejecutar 2 instancias");
    rt::halt(kHaltText);
  } else {
    rt::message("Fallo la espera del Mutex " + std::to_string(MutexWaitResult));
    rt::halt(kHaltText);
  }
  TextMatcher.init();
  TextMatcher.setOption(rt::TextMatcher::kIgnoreCase, 1);
  TextMatcher.setOption(rt::TextMatcher::kWholeWords, 0);
  positionStore().open("lumo.INI");
  rt::systemParametersInfo(rt::SystemParameter::GetDragFullWindows, 0, &DragSetting, 0);
  if (DragSetting == 1)
    rt::systemParametersInfo(rt::SystemParameter::SetDragFullWindows, 0, &DragScratch,
                             rt::kUpdateIniFile | rt::kSendChange);

  Main();

  InstanceMutex->release();
  delete InstanceMutex;
  InstanceMutex = nullptr;
  if (DragSetting == 1)
    rt::systemParametersInfo(rt::SystemParameter::SetDragFullWindows, 1, &DragScratch,
                             rt::kUpdateIniFile | rt::kSendChange);
  positionStore().close();
  TextMatcher.stop();
}

}  // namespace lumo

#include "shell/startup.h"

#include "servicing/console_runner.h"

namespace shell {

std::string ProgramFolder(std::string_view programFile) {
  const size_t slash = programFile.find_last_of("\\/");
  if (slash == std::string_view::npos) return {};
  std::string folder(programFile.substr(0, slash));
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

std::string DefaultSaveFolder(std::string_view programFile) {
  std::string folder = ProgramFolder(programFile);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder + "\\hotfix";
}

void CreateProgramObjects(ProgramState& state) {
  state.Imaging = std::make_unique<imaging::ImagingApi>();
  state.Descriptions.clear();
}

void ReleaseProgramObjects(ProgramState& state) {
  state.Imaging.reset();
  state.Descriptions.clear();
  state.Descriptions.shrink_to_fit();
}

void OnCreated(CreatedContext& context) {
  servicing::ConsoleRunner runner(context.processes, context.oem, context.pump, context.window,
                                  context.state.DismErrorSeen);
  context.window.SetCaption(kCaption);
  context.window.SetText(Control::编辑框1, DefaultSaveFolder(context.programFile));
  runner.Run(std::string(kMountedImagesCommand), Control::回显);
}

}  // namespace shell

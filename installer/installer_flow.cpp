#include "installer/installer_flow.h"

#include <cstring>

#include "installer/text_buffers.h"

namespace kiv {

namespace {

const char kInstalledCaption[] = "Modem Installed";
const char kInstalledText[] = "Modem installed";
const char kNotInstalledText[] = "Modem not succesfully installed";

// The longest question format plus a full modem name fits.
using QuestionText = char[160];

}  // namespace

int InstallerFlow::Run(const char* commandTail, int showCommand) {
  OsVersion version;
  if (!p_.system.GetVersionExA(version) || version.majorVersion != 4) {
    p_.boxes.MessageBoxA("This application is for Windows NT4 only", "Application Error",
                         kMbOk | kMbIconError);
    return kExitCodeNormal;
  }

  LoadDefaults(p_.strings, settings_);
  ReadSystemDirectories(p_.system, settings_);
  ReadConfigFile(p_.profiles, settings_);
  // The key is looked up under the string table's service name; once it exists the INF is not read.
  if (!ReadInstalledParameters(p_.registry, settings_)) ReadInfStrings(p_.profiles, settings_);
  PrepareProgramDir(p_.files, settings_);
  p_.backdrop.RegisterSplashClass();

  if (commandTail != nullptr && std::strcmp(commandTail, "-u") == 0) {
    if (AskUninstall()) steps_.UninstallModem();
    return kExitCodeUninstallPath;
  }

  if (!p_.backdrop.CreateSplashWindow(showCommand)) return kExitCodeNormal;
  p_.system.Sleep(1000);

  if (!IsInstalled(p_.registry, settings_)) {
    QuestionText question;
    FormatText(question, sizeof question, "Do you wish to install The\n%s?", settings_.modemName);
    if (p_.boxes.MessageBoxA(question, "Install Modem?", kMbYesNo | kMbIconQuestion) == kIdYes) {
      const bool installed = steps_.InstallModem();
      p_.boxes.MessageBoxA(installed ? kInstalledText : kNotInstalledText, kInstalledCaption, kMbOk);
    }
    return kExitCodeNormal;
  }

  switch (p_.backdrop.DialogBoxParamA(kAlreadyInstalledDialogId)) {
    case kAlreadyInstalledUninstall:
      if (AskUninstall()) steps_.UninstallModem();
      break;
    case kAlreadyInstalledReinstall:
      if (AskReinstall()) {
        steps_.UninstallModem();
        if (steps_.InstallModem()) {
          p_.boxes.MessageBoxA(kInstalledText, kInstalledCaption, kMbOk);
        } else {
          p_.boxes.MessageBoxA(kNotInstalledText, "Modem not installed", kMbOk);
        }
      }
      break;
    default:
      break;
  }
  return kExitCodeNormal;
}

bool InstallerFlow::AskUninstall() {
  QuestionText question;
  FormatText(question, sizeof question, "Do you wish to Uninstall The\n%s?", settings_.modemName);
  return p_.boxes.MessageBoxA(question, "Uninstall Modem?", kMbYesNo | kMbIconQuestion | kMbDefButton2) ==
         kIdYes;
}

bool InstallerFlow::AskReinstall() {
  QuestionText question;
  FormatText(question, sizeof question, "Do you wish to Reinstall The\n%s?", settings_.modemName);
  return p_.boxes.MessageBoxA(question, "Reinstall Modem?", kMbYesNo | kMbIconQuestion | kMbDefButton2) ==
         kIdYes;
}

}  // namespace kiv

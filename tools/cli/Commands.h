#pragma once
// Sub-commands of orvanta-cli; each returns the process exit code.
int RunSearchCommand(int argc, char** argv);   // search [--json] [--details]
int RunTemplateCommand(int argc, char** argv); // template parse|encode|decode ...
// details, verify, caps, wlan, set-network, set-wlan, change-password, reset, wps
int RunCameraCommand(int argc, char** argv);
bool IsCameraCommand(const char* name);
// provision PLAN.csv: many cameras from one plan, several at a time
int RunProvisionCommand(int argc, char** argv);

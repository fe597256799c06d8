#pragma once
// Sub-commands of orvanta-cli; each returns the process exit code. The
// options of each are listed in CliOptions.cpp.
int RunSearchCommand(int argc, char** argv);   // search [--json | --csv] [--details] [--interface NAME]
int RunDoctorCommand(int argc, char** argv);   // doctor [--json]
int RunTemplateCommand(int argc, char** argv); // template parse|encode|decode ...
// details, verify, caps, wlan, set-network, set-wlan, change-password, reset, wps
int RunCameraCommand(int argc, char** argv);
bool IsCameraCommand(const char* name);
// provision PLAN.csv: many cameras from one plan, several at a time
int RunProvisionCommand(int argc, char** argv);

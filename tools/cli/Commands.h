#pragma once
// Sub-commands of orvanta-cli; each returns the process exit code.
int RunSearchCommand(int argc, char** argv);   // search [--json] [--details]
int RunTemplateCommand(int argc, char** argv); // template parse|encode|decode ...

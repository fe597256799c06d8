#pragma once
// How the simulator learns its cameras: one description per camera, given on
// the command line (--camera) or one per line in a file (--config), plus
// --generate for many alike cameras.
//
// A description is a comma-separated list of key=value items:
//   mac=02:00:00:00:00:01 model=TEXT name=TEXT ip=A.B.C.D mask= gw= dns1=
//   dns2= dhcp=0|1 port=N (web port) wifi=0|1 hwspec=TEXT reserved=N
//   dnsspec=N id=TEXT pwd=TEXT reply=unicast|broadcast
//   misbehaviours: seq=wrong opcode=wrong status=N length=N dup=N delay=MS
//   silent=1
// --log FILE records every request received (for tests).
// --stray N and --flood MS make a hostile host (cameras are then optional):
// a stray of N bytes before the answers to every request, or empty
// datagrams to every requester for MS milliseconds after its request.
// Lines of a file that are empty or start with '#' are skipped.
#include <string>
#include <vector>

#include "sim/SimCamera.h"

namespace orvsim {

struct SimOptions {
    int Port = 62976;
    // When set, one line per request received: opcode, seq, sender,
    // arrival interface index.
    std::string LogPath;
    std::vector<SimCamera> Cameras;
    // A hostile host: bytes of a stray datagram sent to every requester just
    // before the answers to its request (0: none), and how long after every
    // request a flood of empty datagrams goes to the requester (0: none).
    int StrayBytes = 0;
    int FloodMs = 0;
};

// Applies one description to `cam`. False with a message on a bad item.
bool ParseCamera(const std::string& description, SimCamera& cam, std::string& error);

// Reads the command line. False with a message when it is not usable.
bool ParseOptions(int argc, char** argv, SimOptions& options, std::string& error);

std::string Usage();

} // namespace orvsim

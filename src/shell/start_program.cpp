#include "shell/start_program.h"

#include "animation/wave_frames.h"
#include "regions/region_table.h"
#include "shell/strip_window.h"

namespace seastrip {

void StartProgram(Program& p)
{
    LoadRegionTables(p.RegionTable);
    p.SceneShown = -1;
    p.WaveStep = 0;
    p.WaveFrames = kWaveCycle;
    LoadStrip(p);
    p.platform.StartTimers();
}

}  // namespace seastrip

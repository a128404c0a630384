// Resource ids of carddrive/.
#pragma once

// Resource ids of frame/.
#pragma once

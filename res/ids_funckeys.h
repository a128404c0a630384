// Resource ids of funckeys/.
#pragma once

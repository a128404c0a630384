// Resource ids of download/.
#pragma once

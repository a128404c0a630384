// Resource ids of folderui/.
#pragma once

*000 a a            m       
*008850101s1985    sw     a     a000 10swe
*040  $aS
$dS
*24510$aHäxor och troll
$eav Anna Ek
*24710$aFörr
*5050 $aInnehåll
*506  $aText på svenska
*52200$aBatSorM21
$b2023-11-14
*655 7$aRomaner
$2saogf
*840 0$aSerie
$v3
^
*000 a a            m       
*008010101s2001    sw     a     a000 00swe
*24500$aDel 2
*52200$aFbM21
$b2023-11-14
*52200$aBatSorM21
$b2023-11-14
*77608$z91-0-012345-6
*7790 $tHuvudverk
$w(SE-LIBR)123
^
*000 a c            m       
*008200202s2020    sw     a     a000 00swe
*24500$aOm troll
$mRecension
*52200$aBatSorM21
$b2023-11-14
*7870 $iRecension av
$tBoken
^
